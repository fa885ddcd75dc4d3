#include "base/file_resolver.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/replacing_file.h"
#include "temp_dir.h"

namespace kav {
namespace {

class FileResolverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::mkdir((dir_ / "TxtCnes").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((dir_ / "TxtCnes/202401").c_str(), 0755), 0);
    ASSERT_TRUE(replace_file_contents(dir_ / "TxtCnes/202401/lfces004.txt", "x").ok());
    ASSERT_TRUE(replace_file_contents(dir_ / "S_Prd.Dbf", "x").ok());
  }
  TempDir dir_;
};

TEST_F(FileResolverTest, FindsEachComponentIgnoringCase) {
  struct Case {
    const char* asked;
    const char* found;  // nullptr: none
  } cases[] = {
      {"S_PRD.DBF", "S_Prd.Dbf"},
      {"s_prd.dbf", "S_Prd.Dbf"},
      {"S_Prd.Dbf", "S_Prd.Dbf"},
      {"TXTCNES/202401/LFCES004.TXT", "TxtCnes/202401/lfces004.txt"},
      {"txtcnes/202401/Lfces004.Txt", "TxtCnes/202401/lfces004.txt"},
      {"TXTCNES//202401/./LFCES004.TXT", "TxtCnes/202401/./lfces004.txt"},
      {"TXTCNES", "TxtCnes"},
      {"TXTCNES/202402/LFCES004.TXT", nullptr},
      {"S_PRD.DBF/X", nullptr},
      {"S_PRD.DB", nullptr},
  };
  for (const Case& c : cases) {
    auto r = resolve_path(dir_ / c.asked);
    if (c.found == nullptr) {
      EXPECT_FALSE(r) << c.asked;
    } else {
      ASSERT_TRUE(r) << c.asked;
      EXPECT_EQ(*r, dir_ / c.found) << c.asked;
    }
  }
  EXPECT_FALSE(resolve_path(""));
}

TEST_F(FileResolverTest, ExactSpellingWinsOverAnother) {
  ASSERT_TRUE(replace_file_contents(dir_ / "S_PRD.DBF", "y").ok());
  EXPECT_EQ(*resolve_path(dir_ / "S_PRD.DBF"), dir_ / "S_PRD.DBF");
  EXPECT_EQ(*resolve_path(dir_ / "S_Prd.Dbf"), dir_ / "S_Prd.Dbf");
}

TEST_F(FileResolverTest, RelativePathsAndNewFiles) {
  char* old = ::getcwd(nullptr, 0);
  ASSERT_EQ(::chdir(dir_.path().c_str()), 0);
  EXPECT_EQ(resolve_or_same("txtcnes/202401/LFCES004.TXT"), "TxtCnes/202401/lfces004.txt");
  EXPECT_EQ(resolve_or_same("./s_prd.dbf"), "./S_Prd.Dbf");
  EXPECT_EQ(resolve_or_same("S_NEW.DBF"), "S_NEW.DBF");
  ASSERT_EQ(::chdir(old), 0);
  ::free(old);
}

}  // namespace
}  // namespace kav
