#include "installation_fixture.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>

#include "store/catalog.h"
#include "store/recording_store_ui.h"
#include "store/store.h"
#include "xbase/table.h"

namespace kav::kavfix::testing {

namespace {

std::unique_ptr<xbase::Table> open_table(const std::string& folder, const std::string& table) {
  std::unique_ptr<xbase::Table> t;
  Status st = xbase::Table::Open(folder + "/" + table + ".DBF", &t);
  EXPECT_TRUE(st.ok()) << table << ": " << st.message();
  return t;
}

std::string trimmed(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return std::string(s);
}

}  // namespace

Status InstallationTest::Install(InstallSpec spec, bool force) {
  spec.cadcheck_folder = KAV_BIN_DIR;
  KAV_RETURN_IF_ERROR(complete_spec(&spec));
  return install(dir(), spec, force);
}

std::vector<std::string> InstallationTest::OpenEverything(const std::string& folder) {
  RecordingStoreUi ui;
  {
    Store store(StoreContext{.folder = folder, .ui = &ui});
    store.USAR("ABRINDO");
    for (const CatalogEntry& e : catalog())
      EXPECT_TRUE(store.USAR(std::string(e.alias))) << e.alias;
    EXPECT_TRUE(store.USAR("FECHANDO"));
  }
  std::vector<std::string> shown;
  for (const std::string& e : ui.events())
    if (e != "line:") shown.push_back(e);
  return shown;
}

std::map<std::string, std::string> InstallationTest::LastRecord(const std::string& folder,
                                                                const std::string& table) {
  std::map<std::string, std::string> out;
  std::unique_ptr<xbase::Table> t = open_table(folder, table);
  if (!t || !t->GoBottom().ok() || t->eof()) return out;
  for (size_t i = 0; i < t->fields().size(); ++i)
    out[t->fields()[i].def.name] = trimmed(t->raw(static_cast<int>(i)));
  return out;
}

std::map<std::string, int> InstallationTest::PythonTables(const std::string& folder) {
  std::string cmd = "/usr/bin/python3 '" + std::string(KAV_SOURCE_DIR) +
                    "/tests/kavfix/read_tables.py' '" + folder + "'/*.DBF 2>&1";
  std::map<std::string, int> out;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (p == nullptr) {
    ADD_FAILURE() << "python3 nao executou";
    return out;
  }
  std::string text;
  char buf[256];
  while (std::fgets(buf, sizeof buf, p) != nullptr) text += buf;
  EXPECT_EQ(::pclose(p), 0) << text;
  std::istringstream lines(text);
  std::string name;
  int count;
  while (lines >> name >> count) out[name] = count;
  int tables = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    if (e.path().extension() == ".DBF") ++tables;
  EXPECT_EQ(out.size(), static_cast<size_t>(tables)) << text;
  return out;
}

uint32_t InstallationTest::RecordCount(const std::string& folder, const std::string& table) {
  std::unique_ptr<xbase::Table> t = open_table(folder, table);
  return t ? t->record_count() : 0;
}

}  // namespace kav::kavfix::testing
