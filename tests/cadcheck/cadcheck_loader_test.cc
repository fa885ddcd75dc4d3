#include "platform/cadcheck_loader.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace kav {
namespace {

namespace fs = std::filesystem;

class CadcheckLoaderTest : public ::testing::Test {
 protected:
  kav::TempDir tmp_;

  CadcheckLibrary built_{KAV_BIN_DIR};
  fs::path dir_{tmp_.path()};
};

TEST_F(CadcheckLoaderTest, CallsEveryExportOfTheBuiltLibrary) {
  ASSERT_TRUE(built_.Exists()) << built_.path();
  std::string version;
  ASSERT_TRUE(built_.Version(&version).ok());
  EXPECT_EQ(version, "01.04");

  std::string enciphered;
  ASSERT_TRUE(built_.Encipher("00000001ABC", &enciphered).ok());
  const std::string kEnd = "FIM DA LINHA ";
  ASSERT_EQ(enciphered.size(), 32 + kEnd.size());
  EXPECT_EQ(enciphered.substr(32), kEnd);
  std::string check = enciphered.substr(0, 32);

  struct Case { std::string enciphered, expected; int32_t result; } cases[] = {
      {check, "00000001ABC", 1},
      {check, "00000001AB", 0},
      {check, "00000001ABCD", 0},
      {enciphered, "00000001ABC", 0},  // the marker is not Base64
      {"not base64!", "", 1},          // undecipherable counts as empty
      {"", "", 1},
      {"", "x", 0},
  };
  for (const auto& c : cases) {
    int32_t result = -1;
    ASSERT_TRUE(built_.Verify(c.enciphered, c.expected, &result).ok());
    EXPECT_EQ(result, c.result) << c.enciphered << " / " << c.expected;
  }

  std::string empty_form;
  ASSERT_TRUE(built_.Encipher("", &empty_form).ok());
  EXPECT_EQ(empty_form.size(), 24 + kEnd.size());
}

TEST_F(CadcheckLoaderTest, TestsKitFiles) {
  std::string enciphered;
  ASSERT_TRUE(built_.Encipher("1009", &enciphered).ok());  // "ABC" + "CNESCRIPTO1"
  std::string kit = (dir_ / "kit.txt").string();
  std::ofstream(kit) << "ABC" << enciphered.substr(0, 24) << "\r\n";
  int32_t result = -1;
  ASSERT_TRUE(built_.TestKitFile(kit, &result).ok());
  EXPECT_EQ(result, 1);
  ASSERT_TRUE(built_.TestKitFile((dir_ / "missing.txt").string(), &result).ok());
  EXPECT_EQ(result, 0);
}

TEST_F(CadcheckLoaderTest, MissingOrBrokenLibraryIsAnError) {
  CadcheckLibrary missing(dir_.string());
  std::string text;
  int32_t result = 7;
  EXPECT_FALSE(missing.Exists());
  EXPECT_TRUE(missing.Version(&text).is_not_found());
  EXPECT_TRUE(missing.TestKitFile("x", &result).is_not_found());
  EXPECT_EQ(result, 7);

  std::ofstream((dir_ / CadcheckLibrary::kFileName).string()) << "not a shared library";
  EXPECT_EQ(missing.Encipher("abc", &text).code(), Status::Code::kIoError);
}

TEST_F(CadcheckLoaderTest, MissingExportIsAnError) {
  CadcheckLibrary without(KAV_WITHOUT_EXPORTS_DIR);
  ASSERT_TRUE(without.Exists());
  std::string text;
  Status st = without.Version(&text);
  EXPECT_TRUE(st.is_not_found());
  EXPECT_NE(st.message().find("pcDLLVersion"), std::string::npos);
}

TEST_F(CadcheckLoaderTest, RefusesTextsWithNul) {
  std::string text;
  int32_t result;
  EXPECT_EQ(built_.Encipher(std::string("a\0b", 3), &text).code(), Status::Code::kInvalid);
  EXPECT_EQ(built_.Verify("x", std::string("a\0b", 3), &result).code(), Status::Code::kInvalid);
}

TEST_F(CadcheckLoaderTest, ProgramFolderIsTheWorkingDirectory) {
  fs::path before = fs::current_path();
  fs::current_path(dir_);
  std::string path = CadcheckLibrary::InProgramFolder().path();
  fs::current_path(before);
  EXPECT_EQ(path, (fs::canonical(dir_) / "cadcheck.so").string());
}

}  // namespace
}  // namespace kav
