#include "base/begins_with.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

TEST(BeginsWith, PrefixRuleWithBlanksCounted) {
  struct Case {
    const char* a;
    const char* b;
    bool expected;
  } cases[] = {
      {"030101007", "0301", true},
      {"0301", "030101007", false},  // a shorter a never matches
      {"ABC", "", true},             // empty b matches everything
      {"", "", true},
      {"", "A", false},
      {"AD ", "AD ", true},
      {"AD", "AD ", false},  // the trailing blank of b counts
      {"ADX", "AD ", false},
      {"AD ", "AD", true},  // trailing blanks of a do not matter
      {"abc", "ABC", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(begins_with(c.a, c.b), c.expected) << '"' << c.a << "\" = \"" << c.b << '"';
  }
}

TEST(BeginsWith, BytesAboveAsciiAndNul) {
  std::string a("\xE7\0x", 3);
  EXPECT_TRUE(begins_with(a, std::string("\xE7\0", 2)));
  EXPECT_FALSE(begins_with(a, std::string("\xE7\x01", 2)));
}

TEST(ExactEqual, LengthAndBytes) {
  EXPECT_TRUE(exact_equal("AD ", "AD "));
  EXPECT_FALSE(exact_equal("AD ", "AD"));
  EXPECT_FALSE(exact_equal("AD", "AD "));
  EXPECT_TRUE(exact_equal("", ""));
}

}  // namespace
}  // namespace kav
