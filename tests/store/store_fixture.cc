#include "store_fixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kav::testing {

OtherProcessHolding::OtherProcessHolding(const std::string& table_path) {
  int ready[2], release[2];
  if (pipe(ready) != 0 || pipe(release) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    std::unique_ptr<xbase::Table> t;
    char c = xbase::Table::Open(table_path, &t).ok() ? 'y' : 'n';
    close(release[1]);
    if (write(ready[1], &c, 1) != 1) _exit(2);
    while (read(release[0], &c, 1) > 0) {
    }
    _exit(0);
  }
  close(ready[1]);
  close(release[0]);
  release_ = release[1];
  char c = 0;
  holding_ = pid_ > 0 && read(ready[0], &c, 1) == 1 && c == 'y';
  close(ready[0]);
}

OtherProcessHolding::~OtherProcessHolding() {
  if (release_ >= 0) close(release_);
  if (pid_ > 0) waitpid(pid_, nullptr, 0);
}

StoreFixture::StoreFixture() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "kav_store_XXXXXX").string();
  if (::mkdtemp(tmpl.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
  dir_ = tmpl;
  Restart();
}

StoreFixture::~StoreFixture() {
  store_.reset();
  std::filesystem::remove_all(dir_);
}

void StoreFixture::Restart() {
  store_.reset();
  StoreContext ctx;
  ctx.folder = dir_;
  ctx.ui = &ui_;
  store_ = std::make_unique<Store>(ctx);
}

bool StoreFixture::file_exists(const std::string& name) const {
  return std::filesystem::exists(file(name));
}

void StoreFixture::MakeTable(const std::string& name, const std::string& fields,
                             const std::vector<std::vector<std::string>>& rows) {
  std::vector<xbase::FieldDef> defs;
  ASSERT_TRUE(xbase::parse_field_list(fields, &defs).ok()) << fields;
  Status st = xbase::Table::Create(file(name), defs);
  ASSERT_TRUE(st.ok()) << st.message();
  std::unique_ptr<xbase::Table> t;
  ASSERT_TRUE(xbase::Table::Open(file(name), &t).ok());
  for (const auto& row : rows) {
    ASSERT_TRUE(t->Append().ok());
    for (size_t i = 0; i < row.size(); ++i) {
      st = t->put(static_cast<int>(i), row[i]);
      ASSERT_TRUE(st.ok()) << st.message();
    }
  }
  ASSERT_TRUE(t->Close().ok());
}

std::vector<std::string> StoreFixture::Rows(xbase::Table* t) {
  std::vector<std::string> out;
  EXPECT_TRUE(t->GoTop().ok());
  while (!t->eof()) {
    std::string line;
    for (size_t i = 0; i < t->fields().size(); ++i) {
      std::string v(t->raw(static_cast<int>(i)));
      v.erase(v.find_last_not_of(' ') + 1);
      size_t first = v.find_first_not_of(' ');
      v = first == std::string::npos ? "" : v.substr(first);
      line += (i ? "|" : "") + v;
    }
    out.push_back(line);
    EXPECT_TRUE(t->Skip().ok());
  }
  return out;
}

int StoreFixture::Sh(const std::string& command, std::string* out) const {
  std::string line = "cd '" + dir_ + "' && " + command + " >.sh_out 2>&1";
  int status = std::system(line.c_str());
  if (out) {
    std::ifstream in(file(".sh_out"));
    std::stringstream s;
    s << in.rdbuf();
    *out = s.str();
  }
  std::filesystem::remove(file(".sh_out"));
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void StoreFixture::Touch(const std::string& name, long long when) const {
  struct utimbuf t;
  t.actime = static_cast<time_t>(when);
  t.modtime = static_cast<time_t>(when);
  ASSERT_EQ(::utime(file(name).c_str(), &t), 0) << name;
}

}  // namespace kav::testing
