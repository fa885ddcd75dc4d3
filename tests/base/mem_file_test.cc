// Variables files: the exact layout, names cut to ten characters, damage.
#include "base/mem_file.h"

#include <gtest/gtest.h>

#include "base/replacing_file.h"
#include "temp_dir.h"

namespace kav {
namespace {

TEST(MemFile, PrinterFileHasTheKnownLayout) {
  TempDir dir;
  MemFile m;
  m.set_text("cimp", "PRN");
  ASSERT_TRUE(m.Write(dir / "IMPRESS.MEM").ok());
  std::string bytes;
  ASSERT_TRUE(read_file(dir / "IMPRESS.MEM", &bytes).ok());
  std::string want(32, '\0');
  want.replace(0, 4, "CIMP");
  want[11] = static_cast<char>(0xC3);
  want[16] = 4;
  want += std::string("PRN\0\x1A", 5);
  EXPECT_EQ(bytes, want);
}

TEST(MemFile, RoundTripMatchingNamesOnTenCharacters) {
  TempDir dir;
  MemFile m;
  m.set_text("DE_MUNICIPIO_X", "355030");
  m.set_logical("WXW_LTELA_CHEIA", true);
  m.set_logical("WXW_LV_NOVA_VERSAO", false);
  m.set_text("OBS", "Sa\xED" "da");
  m.set_text("de_municipio_y", "355031");  // same first ten characters: replaces
  ASSERT_TRUE(m.Write(dir / "A.MEM").ok());
  MemFile r;
  ASSERT_TRUE(MemFile::Read(dir / "A.MEM", &r).ok());
  ASSERT_EQ(r.vars().size(), 4u);
  EXPECT_EQ(r.text("DE_MUNICIP"), "355031");
  EXPECT_EQ(r.logical("WXW_LTELA_"), true);
  EXPECT_EQ(r.logical("wxw_lv_nova_versao"), false);
  EXPECT_EQ(r.text("OBS"), "Sa\xED" "da");
  EXPECT_FALSE(r.text("WXW_LTELA_CHEIA").has_value());  // a logical, not a text
  EXPECT_FALSE(r.text("NADA").has_value());
}

TEST(MemFile, MissingFileIsEmptyAndDamagedFileIsReported) {
  TempDir dir;
  MemFile m;
  ASSERT_TRUE(MemFile::Read(dir / "NONE.MEM", &m).ok());
  EXPECT_TRUE(m.vars().empty());
  MemFile good;
  good.set_text("CIMP", "HP_LaserJet");
  ASSERT_TRUE(good.Write(dir / "G.MEM").ok());
  std::string bytes;
  ASSERT_TRUE(read_file(dir / "G.MEM", &bytes).ok());
  std::string wrong_type = bytes;
  wrong_type[11] = 'X';
  for (const std::string& bad : {bytes.substr(0, 20), bytes.substr(0, 36), wrong_type}) {
    ASSERT_TRUE(replace_file_contents(dir / "B.MEM", bad).ok());
    Status st = MemFile::Read(dir / "B.MEM", &m);
    EXPECT_TRUE(st.is_corrupt());
    EXPECT_NE(st.message().find("B.MEM"), std::string::npos);
  }
}

}  // namespace
}  // namespace kav
