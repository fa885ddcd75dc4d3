#include "base/replacing_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_dir.h"

namespace kav {
namespace {

using Names = std::vector<std::string>;

std::string contents(const std::string& path) {
  std::string s;
  EXPECT_TRUE(read_file(path, &s).ok()) << path;
  return s;
}

TEST(ReplacingFile, CommitReplacesTheWholeFile) {
  TempDir dir;
  std::string target = dir / "S_PRD.DBF";
  ASSERT_TRUE(replace_file_contents(target, "old contents, longer than the new").ok());
  ReplacingFile f(target);
  ASSERT_TRUE(f.Open().ok());
  ASSERT_TRUE(f.Append("new").ok());
  ASSERT_TRUE(f.Append(std::string("\0\xFF", 2)).ok());
  ASSERT_TRUE(f.WriteAt(0, "N").ok());
  EXPECT_EQ(contents(target), "old contents, longer than the new");  // not yet
  ASSERT_TRUE(f.Commit().ok());
  EXPECT_EQ(contents(target), std::string("New\0\xFF", 5));
  EXPECT_EQ(dir.names(), Names{"S_PRD.DBF"});
}

TEST(ReplacingFile, DestroyedWithoutCommitLeavesTheOldFile) {
  TempDir dir;
  std::string target = dir / "S_PRD.DBF";
  ASSERT_TRUE(replace_file_contents(target, "old").ok());
  {
    ReplacingFile f(target);
    ASSERT_TRUE(f.Open().ok());
    ASSERT_TRUE(f.Append(std::string(3 << 20, 'x')).ok());  // spills to the temporary
    struct stat st;
    EXPECT_EQ(::stat(f.temp_path().c_str(), &st), 0);
  }
  EXPECT_EQ(contents(target), "old");
  EXPECT_EQ(dir.names(), Names{"S_PRD.DBF"});
}

TEST(ReplacingFile, CreatesAMissingTarget) {
  TempDir dir;
  std::string data(5 << 20, 'y');
  data[4 << 20] = 'z';
  ASSERT_TRUE(replace_file_contents(dir / "NEW.DBF", data).ok());
  EXPECT_EQ(contents(dir / "NEW.DBF"), data);
  EXPECT_EQ(dir.names(), Names{"NEW.DBF"});
}

TEST(ReplacingFile, FailuresAreReported) {
  TempDir dir;
  ReplacingFile f(dir / "NO_SUCH_FOLDER/T.DBF");
  Status st = f.Open();
  EXPECT_EQ(st.code(), Status::Code::kIoError);
  EXPECT_NE(st.message().find("NO_SUCH_FOLDER"), std::string::npos);

  // A folder in the way of the target: the rename fails, nothing is left.
  ASSERT_EQ(::mkdir((dir / "BUSY").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((dir / "BUSY/X").c_str(), 0755), 0);
  {
    ReplacingFile g(dir / "BUSY");
    ASSERT_TRUE(g.Open().ok());
    ASSERT_TRUE(g.Append("data").ok());
    EXPECT_FALSE(g.Commit().ok());
  }
  EXPECT_EQ(dir.names(), Names{"BUSY"});
}

TEST(ReadFile, MissingFileIsNotFound) {
  TempDir dir;
  std::string s;
  EXPECT_TRUE(read_file(dir / "MISSING", &s).is_not_found());
  EXPECT_FALSE(read_file(dir.path(), &s).ok());  // a folder cannot be read
}

}  // namespace
}  // namespace kav
