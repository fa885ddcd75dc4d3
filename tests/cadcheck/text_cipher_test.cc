#include <gtest/gtest.h>

#include <string>

#include "cadcheck/base64.h"
#include "cadcheck/block_transform.h"
#include "cadcheck/text_cipher.h"

namespace kav::cadcheck {
namespace {

using namespace std::string_literals;

constexpr LeadingBlock kLead = {0x01020304, 0x05060708};

std::string decoded(std::string_view text) {
  std::string out;
  return base64_decode(text, &out) ? out : "<fails>";
}

TEST(Base64, EncodesInTheStandardForm) {
  std::string long_text;  // more than one 45-byte piece
  for (int i = 0; i < 15; ++i) long_text += "YWFh";
  struct Case { std::string bytes, text; } cases[] = {
      {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"\xFB\xFF\x00"s, "+/8A"},
      {std::string(45, 'a') + "b", long_text + "Yg=="},
  };
  for (const auto& c : cases) {
    std::string out = "x";
    base64_encode(c.bytes, &out);
    EXPECT_EQ(out, "x" + c.text);
    EXPECT_EQ(decoded(c.text), c.bytes);
  }
}

TEST(Base64, DecodesOddTextsAsTheCipherDoes) {
  struct Case { const char* text; std::string bytes; } cases[] = {
      {"Zg==", "f"},
      {"Zg=A", "f"},             // "=" third drops the second and third bytes
      {"Z=mv", "g\xF9\xAF"s},    // "=" counts as 127 where it drops nothing
      {"Zm9=", "fo"},
      {"[[[[", "\xFF\xFF\xFF"s},  // in range but not in the alphabet: 127
      {"Zg==Zm9v", "ffoo"},      // padding in the middle does not end the text
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(decoded(c.text), c.bytes) << c.text;
}

TEST(Base64, RefusesCharactersOutsideTheRangeAndShortGroups) {
  for (const char* text : {"Zg=", "Z", "Zm9vZ", "Zm9v*AAA", "Zm9v{AAA", "Zm 9", "Zm\xE9v"}) {
    std::string out;
    EXPECT_FALSE(base64_decode(text, &out)) << text;
  }
}

// Known answers; the same values come out of an independent rendering of
// the algorithm.
TEST(TextCipher, FixedLeadingBlockGivesKnownAnswers) {
  struct Case { const char* plain; const char* text; } cases[] = {
      {"", "GfkOID8DQV0EAwIBCAcGBQ=="},
      {"1234", "GfkOID8DQV01MTE1CAcGAQ=="},
      {"ABCDEFG", "GfkOID8DQV1FQUFFTUFBAg=="},
      {"ABCDEFGH", "GfkOID8DQV1FQUFFTUFBTVi7TWR6RQYV"},
      {"Hello, world! 123", "GfkOID8DQV1MZm5tZysmcj7uDihxD1AYEBQCCUYLF0E="},
  };
  for (const auto& c : cases) EXPECT_EQ(encipher_text(c.plain, kLead), c.text) << c.plain;
}

TEST(TextCipher, LengthsFollowTheBlockCount) {
  for (size_t n = 0; n <= 40; ++n) {
    std::string plain(n, static_cast<char>('a' + n % 26));
    if (n > 0) plain[n / 2] = '\0';
    std::string text = encipher_text(plain, kLead);
    EXPECT_EQ(text.size(), (8 * (n / 8 + 2) + 2) / 3 * 4) << n;
    std::string back;
    ASSERT_TRUE(decipher_text(text, &back)) << n;
    EXPECT_EQ(back, plain);
  }
  EXPECT_EQ(encipher_text("1234567", kLead).size(), 24u);
  EXPECT_EQ(encipher_text("12345678", kLead).size(), 32u);
}

TEST(TextCipher, OtherLeadingBlockChangesEveryBlock) {
  std::string plain = "0123456789ABCDEFxyz";
  std::string a, b, ba, bb;
  ASSERT_TRUE(base64_decode(encipher_text(plain, kLead), &a));
  ASSERT_TRUE(base64_decode(encipher_text(plain, {kLead.first + 1, kLead.second}), &b));
  ASSERT_EQ(a.size(), b.size());
  for (size_t off = 0; off < a.size(); off += 8) EXPECT_NE(a.substr(off, 8), b.substr(off, 8));
  ASSERT_TRUE(decipher_text(encipher_text(plain, kLead), &ba));
  EXPECT_EQ(ba, plain);
}

TEST(TextCipher, RefusesMalformedEncipheredForms) {
  // A final block whose count byte is 8.
  uint8_t lead[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  uint8_t last[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 8};
  for (int i = 0; i < 8; ++i) last[i] ^= lead[i];
  library_transform().EncryptBlock(last);
  std::string bytes(reinterpret_cast<char*>(lead), 8);
  bytes.append(reinterpret_cast<char*>(last), 8);
  std::string count_eight;
  base64_encode(bytes, &count_eight);

  std::string valid = encipher_text("abc", kLead);
  for (const std::string& text : {count_eight, std::string(), valid.substr(0, 20), "AAAA"s,
                                  valid.substr(0, 23), "*" + valid.substr(1)}) {
    std::string out = "stale";
    EXPECT_FALSE(decipher_text(text, &out)) << text;
    EXPECT_EQ(out, "");
  }
}

TEST(TextCipher, BytesAfterTheLastWholeBlockAreIgnored) {
  std::string bytes;
  stream_encipher(library_transform(), kLead, "abc", &bytes);
  bytes += "\x01\x02\x03";
  std::string text, out;
  base64_encode(bytes, &text);
  ASSERT_TRUE(decipher_text(text, &out));
  EXPECT_EQ(out, "abc");
}

}  // namespace
}  // namespace kav::cadcheck
