// ZIP archives, checked both ways with Info-ZIP zip and unzip.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"
#include "test_files.h"
#include "base/replacing_file.h"
#include "platform/zip_archive.h"

extern char** environ;

namespace kav {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;  // exit code, -1 when it did not run or was killed
  std::string out;
};

// Runs a program with its arguments (no shell) in `cwd` and collects its output.
RunResult run(std::vector<std::string> args, const std::string& cwd = ".") {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  RunResult r;
  int pipe_fd[2];
  if (::pipe(pipe_fd) != 0) return r;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fd[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipe_fd[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_fd[0]);
  posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
  pid_t pid;
  int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fd[1]);
  char buf[4096];
  ssize_t n;
  while ((n = ::read(pipe_fd[0], buf, sizeof buf)) > 0) r.out.append(buf, static_cast<size_t>(n));
  ::close(pipe_fd[0]);
  if (rc != 0) return r;
  int status;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
  return r;
}

std::vector<std::string> names_in(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

// Text that compresses, with every byte value in it.
std::string sample(size_t n, int seed) {
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    s.push_back(i % 7 == 0 ? static_cast<char>((i * seed) % 256) : "KAVBPA 0123\n"[i % 12]);
  }
  return s;
}

class ZipTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(ZipTest, PackedArchivesOpenInUnzipWithAndWithoutPassword) {
  fs::create_directories(dir_ / "kit");
  write(dir_ / "kit/LFCES021.TXT", sample(200000, 3));
  write(dir_ / "kit/empty.txt", "");
  write(dir_ / "S_UPS.DBF", sample(5000, 5));
  struct Case {
    std::vector<std::string> sources;
    int level;
    std::string password;
    std::string method;  // as unzip -v names it
  };
  const Case cases[] = {
      {{dir_ / "kit/LFCES021.TXT", dir_ / "kit/empty.txt", dir_ / "S_UPS.DBF"}, 5, "", "Defl:N"},
      {{dir_ / "S_UPS.DBF"}, 9, "81234567", "Defl:X"},
      {{dir_ / "kit/LFCES021.TXT"}, 1, "QORVEL", "Defl:F"},
      {{dir_ / "S_UPS.DBF"}, 0, "", "Stored"},
  };
  for (const Case& c : cases) {
    std::string archive = dir_ / "out.zip";
    std::vector<std::pair<size_t, int64_t>> seen;
    Status st = zip_pack(archive, c.sources, c.level, c.password,
                         [&](size_t i, int64_t done, int64_t total) {
                           seen.emplace_back(i, done);
                           EXPECT_LE(done, total);
                         });
    ASSERT_TRUE(st.ok()) << st.message();

    RunResult listing = run({"unzip", "-v", archive});
    EXPECT_EQ(listing.status, 0) << listing.out;
    EXPECT_NE(listing.out.find(c.method), std::string::npos) << listing.out;
    EXPECT_EQ(listing.out.find("kit/"), std::string::npos) << listing.out;
    for (size_t i = 0; i < c.sources.size(); ++i) {
      std::string name = fs::path(c.sources[i]).filename().string();
      std::vector<std::string> args = {"unzip", "-p"};
      if (!c.password.empty()) args.insert(args.end(), {"-P", c.password});
      args.insert(args.end(), {archive, name});
      RunResult content = run(args);
      EXPECT_EQ(content.status, 0) << name;
      EXPECT_TRUE(content.out == read(c.sources[i])) << name;
      // Progress: each file from 0 to its size.
      int64_t first = -1, last = -1;
      for (auto [file, done] : seen) {
        if (file != i) continue;
        if (first < 0) first = done;
        last = done;
      }
      EXPECT_EQ(first, 0) << name;
      EXPECT_EQ(last, static_cast<int64_t>(fs::file_size(c.sources[i]))) << name;
    }
    if (!c.password.empty()) {
      RunResult wrong = run({"unzip", "-t", "-P", "wrong", archive});
      EXPECT_NE(wrong.status, 0) << wrong.out;
      RunResult none = run({"unzip", "-t", "-P", "", archive});
      EXPECT_NE(none.status, 0) << none.out;
    }
    std::vector<std::string> members;
    ASSERT_TRUE(zip_list(archive, &members).ok());
    EXPECT_EQ(members.size(), c.sources.size());
  }
  EXPECT_EQ(dir_.names(), (std::vector<std::string>{"S_UPS.DBF", "kit", "out.zip"}));
}

TEST_F(ZipTest, UnpacksInfoZipArchivesByMemberNameIgnoringCase) {
  fs::create_directories(dir_ / "src");
  fs::create_directories(dir_ / "dest");
  write(dir_ / "src/KAV.GDB", sample(100000, 11));
  write(dir_ / "src/profterc.txt", sample(3000, 13));
  ASSERT_EQ(run({"zip", "-q", "-P", "QORVEL", "../KAV32.AIS", "KAV.GDB", "profterc.txt"},
                dir_ / "src")
                .status,
            0);
  ASSERT_EQ(run({"zip", "-q", "../plain.zip", "profterc.txt"}, dir_ / "src").status, 0);

  struct Case {
    std::string archive, member, password, target;
    std::string expected;  // the source file it must equal
  };
  const Case cases[] = {
      {dir_ / "KAV32.AIS", "kav.gdb", "QORVEL", "A01.GDB", dir_ / "src/KAV.GDB"},
      {dir_ / "KAV32.AIS", "PROFTERC.TXT", "QORVEL", "profterc.txt", dir_ / "src/profterc.txt"},
      {dir_ / "plain.zip", "Profterc.Txt", "", "PROFTERC.TXT", dir_ / "src/profterc.txt"},
  };
  for (const Case& c : cases) {
    write(dir_ / ("dest/" + c.target), "older content");
    Status st = zip_extract(c.archive, c.member, c.password, dir_ / "dest", c.target);
    ASSERT_TRUE(st.ok()) << c.member << ": " << st.message();
    EXPECT_TRUE(read(dir_ / ("dest/" + c.target)) == read(c.expected)) << c.member;
  }
  std::vector<std::string> members;
  ASSERT_TRUE(zip_list(dir_ / "KAV32.AIS", &members).ok());
  EXPECT_EQ(members, (std::vector<std::string>{"KAV.GDB", "profterc.txt"}));
}

TEST_F(ZipTest, FailuresLeaveTheTargetAsItWas) {
  fs::create_directories(dir_ / "dest");
  write(dir_ / "KAV.GDB", sample(50000, 17));
  ASSERT_TRUE(zip_pack(dir_ / "A.VBQ", {dir_ / "KAV.GDB"}, 9, "1234567", nullptr).ok());
  write(dir_ / "garbage.zip", "PK\x03\x04 this is not an archive at all");
  // A byte of the compressed data changed: the check sum no longer matches.
  ASSERT_TRUE(zip_pack(dir_ / "damaged.zip", {dir_ / "KAV.GDB"}, 5, "", nullptr).ok());
  std::string damaged = read(dir_ / "damaged.zip");
  damaged[200] = static_cast<char>(damaged[200] ^ 0x55);
  write(dir_ / "damaged.zip", damaged);

  struct Case {
    std::string archive, member, password;
    Status::Code code;
  };
  const Case cases[] = {
      {dir_ / "A.VBQ", "KAV.GDB", "7654321", Status::Code::kInvalid},
      {dir_ / "A.VBQ", "KAV.GDB", "", Status::Code::kInvalid},
      {dir_ / "A.VBQ", "OTHER.GDB", "1234567", Status::Code::kNotFound},
      {dir_ / "absent.zip", "KAV.GDB", "", Status::Code::kNotFound},
      {dir_ / "garbage.zip", "KAV.GDB", "", Status::Code::kCorrupt},
      {dir_ / "damaged.zip", "KAV.GDB", "", Status::Code::kCorrupt},
  };
  for (const Case& c : cases) {
    write(dir_ / "dest/KAV.GDB", "older content");
    Status st = zip_extract(c.archive, c.member, c.password, dir_ / "dest", "KAV.GDB");
    // A wrong password passes the one-byte check once in 256 and then fails
    // on the data instead.
    bool wrong_password_on_data = c.code == Status::Code::kInvalid && st.is_corrupt();
    EXPECT_TRUE(st.code() == c.code || wrong_password_on_data)
        << c.archive << " " << c.password << ": " << st.message();
    EXPECT_EQ(read(dir_ / "dest/KAV.GDB"), "older content") << c.archive;
    EXPECT_EQ(names_in(dir_ / "dest"), std::vector<std::string>{"KAV.GDB"});
  }
  std::vector<std::string> members;
  EXPECT_TRUE(zip_list(dir_ / "garbage.zip", &members).is_corrupt());
  EXPECT_TRUE(zip_list(dir_ / "absent.zip", &members).is_not_found());

  // Packing: a missing source keeps the old archive and leaves no temporary.
  std::string before = read(dir_ / "A.VBQ");
  Status st = zip_pack(dir_ / "A.VBQ", {dir_ / "KAV.GDB", dir_ / "missing.txt"}, 9, "", nullptr);
  EXPECT_TRUE(st.is_not_found()) << st.message();
  EXPECT_EQ(read(dir_ / "A.VBQ"), before);
  EXPECT_EQ(dir_.names(),
            (std::vector<std::string>{"A.VBQ", "KAV.GDB", "damaged.zip", "dest", "garbage.zip"}));
  EXPECT_EQ(zip_pack(dir_ / "B.zip", {}, 5, "", nullptr).code(), Status::Code::kInvalid);
  EXPECT_EQ(zip_pack(dir_ / "B.zip", {dir_ / "KAV.GDB"}, 10, "", nullptr).code(),
            Status::Code::kInvalid);
  // Two files of the same bare name cannot share an archive.
  fs::create_directories(dir_ / "other");
  write(dir_ / "other/KAV.GDB", "x");
  EXPECT_FALSE(zip_pack(dir_ / "B.zip", {dir_ / "KAV.GDB", dir_ / "other/KAV.GDB"}, 5, "", nullptr)
                   .ok());
  EXPECT_FALSE(fs::exists(dir_ / "B.zip"));
}

TEST_F(ZipTest, FilesAreFoundIgnoringCaseAndKeepTheirSpelling) {
  write(dir_ / "S_UPS.DBF", "table");
  write(dir_ / "s_ups.abf", "older archive");
  ASSERT_TRUE(zip_pack(dir_ / "S_UPS.ABF", {dir_ / "s_ups.dbf"}, 5, "", nullptr).ok());
  std::vector<std::string> members;
  ASSERT_TRUE(zip_list(dir_ / "S_Ups.Abf", &members).ok());
  EXPECT_EQ(members, std::vector<std::string>{"S_UPS.DBF"});
  write(dir_ / "S_UPS.DBF", "changed");
  ASSERT_TRUE(zip_extract(dir_ / "S_UPS.ABF", "S_UPS.DBF", "", dir_.path(), "s_ups.dbf").ok());
  EXPECT_EQ(read(dir_ / "S_UPS.DBF"), "table");
  EXPECT_EQ(dir_.names(), (std::vector<std::string>{"S_UPS.DBF", "s_ups.abf"}));
}

TEST_F(ZipTest, StoredPathsNeverReachTheFileSystem) {
  fs::create_directories(dir_ / "work/dest");
  ASSERT_EQ(run({KAV_PYTHON3, "-c",
                 "import zipfile, sys\n"
                 "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                 "    z.writestr('../evil.txt', 'escaped')\n"
                 "    z.writestr('/etc/evil.txt', 'absolute')\n"
                 "    z.writestr('sub/inner.txt', 'inner')\n",
                 dir_ / "work/evil.zip"})
                .status,
            0);
  std::vector<std::string> members;
  ASSERT_TRUE(zip_list(dir_ / "work/evil.zip", &members).ok());
  EXPECT_EQ(members, (std::vector<std::string>{"../evil.txt", "/etc/evil.txt", "sub/inner.txt"}));

  std::string dest = dir_ / "work/dest";
  ASSERT_TRUE(zip_extract(dir_ / "work/evil.zip", "../EVIL.TXT", "", dest, "evil.txt").ok());
  ASSERT_TRUE(zip_extract(dir_ / "work/evil.zip", "sub/inner.txt", "", dest, "inner.txt").ok());
  EXPECT_EQ(read(dest + "/evil.txt"), "escaped");
  for (const char* target : {"../evil.txt", "/etc/evil.txt", "sub/inner.txt", "..", "", "a\\b"}) {
    Status st = zip_extract(dir_ / "work/evil.zip", "../evil.txt", "", dest, target);
    EXPECT_EQ(st.code(), Status::Code::kInvalid) << target;
  }
  EXPECT_EQ(dir_.names(), std::vector<std::string>{"work"});
  EXPECT_EQ(names_in(dir_ / "work"), (std::vector<std::string>{"dest", "evil.zip"}));
  EXPECT_EQ(names_in(dest), (std::vector<std::string>{"evil.txt", "inner.txt"}));
}

}  // namespace
}  // namespace kav
