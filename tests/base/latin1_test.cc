#include "base/latin1.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

TEST(Latin1, SumCountsBytesAsUnsigned) {
  EXPECT_EQ(latin1_sum(""), 0);
  EXPECT_EQ(latin1_sum("AB"), 65 + 66);
  EXPECT_EQ(latin1_sum("\xE7\xFF"), 0xE7 + 0xFF);
  EXPECT_EQ(latin1_sum(std::string("\0 ", 2)), 32);
  // Source literals are stored in Latin-1: "ç" is one byte.
  EXPECT_EQ(latin1_sum("ç"), 0xE7);
}

TEST(Latin1, EveryByteRoundTripsThroughUtf8) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  std::string utf8 = latin1_to_utf8(all);
  EXPECT_EQ(utf8.size(), 128u + 2 * 128u);
  EXPECT_EQ(utf8_to_latin1(utf8), all);
  EXPECT_EQ(latin1_to_utf8("Sa\xED" "da"), "Sa\xC3\xAD" "da");
}

TEST(Latin1, Utf8OutsideLatin1OrMalformedBecomesQuestionMarks) {
  struct Case {
    const char* utf8;
    const char* latin1;
  } cases[] = {
      {"\xE2\x82\xAC", "?"},             // euro sign, beyond U+00FF
      {"\xF0\x9F\x98\x80x", "?x"},       // four-byte sequence
      {"a\xC3", "a?"},                   // cut short at the end
      {"\xC3" "A", "?A"},                // lead byte without continuation
      {"\xA9" "b", "?b"},                // stray continuation byte
      {"\xC1\x81", "??"},                // overlong 'A'
      {"\xC0\xAF", "??"},                // overlong '/'
      {"\xE0\x81\x81", "???"},           // three-byte overlong 'A'
      {"\xF0\x80\x81\x81", "????"},      // four-byte overlong 'A'
      {"\xF8\x88\x80\x80\x80", "?????"}, // no five-byte forms
      {"\xFF\xFE", "??"},
      {"\xC3\xA7\xC3\x87", "\xE7\xC7"},  // ç Ç
  };
  for (const Case& c : cases) EXPECT_EQ(utf8_to_latin1(c.utf8), c.latin1) << c.utf8;
}

TEST(Latin1, UpperCaseOfAccentedLetters) {
  EXPECT_EQ(latin1_upper("ação é ü ÿ ß ÷ 1a"), "AÇÃO É Ü ÿ ß ÷ 1A");
  EXPECT_EQ(latin1_upper('z'), 'Z');
  EXPECT_EQ(latin1_upper('{'), '{');
  EXPECT_EQ(latin1_upper('\xFE'), '\xDE');
}

}  // namespace
}  // namespace kav
