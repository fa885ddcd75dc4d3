// The real kav32 on the script console: what it shows and how it ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/replacing_file.h"
#include "temp_dir.h"

namespace kav {
namespace {

int run_kav32(const TempDir& dir, const std::string& keys, std::string* dump) {
  EXPECT_TRUE(replace_file_contents(dir / "keys.txt", keys).ok());
  std::string cmd = "cd '" + dir.path() + "' && KAV_CONSOLE=script:keys.txt KAV_SCREEN_DUMP=dump.txt '" +
                    std::string(KAV_BIN_DIR) + "/kav32' >out.txt 2>err.txt";
  int rc = std::system(cmd.c_str());
  read_file(dir / "dump.txt", dump);
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

TEST(Kav32, EmptyFolderGetsTheFolderCheck) {
  TempDir dir;
  std::string dump;
  EXPECT_EQ(run_kav32(dir, "<ESC>", &dump), 0);
  EXPECT_NE(dump.find(" kav32 - VERSAO 06.05"), std::string::npos) << dump;
}

TEST(Kav32, EndsWithStatusThreeWhenTheKeysRunOut) {
  TempDir dir;
  std::string dump;
  EXPECT_EQ(run_kav32(dir, "", &dump), 3);
  std::string err;
  read_file(dir / "err.txt", &err);
  EXPECT_NE(err.find("roteiro de teclas acabou"), std::string::npos) << err;
}

TEST(Kav32, VersionNeedsNoConsole) {
  std::string cmd = "'" + std::string(KAV_BIN_DIR) + "/kav32' --version | grep -q '^kav32 06.05$'";
  EXPECT_EQ(std::system(cmd.c_str()), 0);
}

}  // namespace
}  // namespace kav
