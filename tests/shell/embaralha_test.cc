#include "shell/embaralha.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kav {
namespace {

TEST(EmbaralhaTest, TableIsAPermutationOfItsOwnSetWithoutBlankOrControlBytes) {
  std::string_view plain = embaralha_plain_row();
  std::string_view scrambled = embaralha_scrambled_row();
  ASSERT_EQ(plain.size(), scrambled.size());
  std::set<unsigned char> from(plain.begin(), plain.end());
  std::set<unsigned char> to(scrambled.begin(), scrambled.end());
  EXPECT_EQ(from.size(), plain.size()) << "a character appears twice in the plain row";
  EXPECT_EQ(from, to);
  for (unsigned char c : from) EXPECT_GT(c, 0x20) << int(c);
  // Latin-1: every accented letter is one byte.
  EXPECT_NE(plain.find("\xE1"), std::string_view::npos);  // á
  EXPECT_NE(plain.find("\xC7"), std::string_view::npos);  // Ç
}

TEST(EmbaralhaTest, DesembaralhaInvertsEveryByte) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(DESEMBARALHA(EMBARALHA(all)), all);
  EXPECT_EQ(EMBARALHA(DESEMBARALHA(all)), all);
}

TEST(EmbaralhaTest, CharactersOutsideTheSetStayAndInsideChange) {
  EXPECT_EQ(EMBARALHA(std::string(" \t\n\0#", 5)), std::string(" \t\n\0#", 5));
  std::string_view plain = embaralha_plain_row();
  std::string scrambled = EMBARALHA(plain);
  for (size_t i = 0; i < plain.size(); ++i) EXPECT_NE(scrambled[i], plain[i]) << i;
  EXPECT_EQ(EMBARALHA("KAV").size(), 3u);
  EXPECT_NE(EMBARALHA("KAV"), "KAV");
}

}  // namespace
}  // namespace kav
