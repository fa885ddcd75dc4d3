#include "base/money.h"

#include <gtest/gtest.h>

#include <limits>

namespace kav {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

TEST(Money, ParsesFieldTextExactly) {
  struct Case {
    const char* field;
    int64_t cents;
  } cases[] = {
      {"        1234.56", 123456}, {"           -0.5", -50}, {"               ", 0},
      {"", 0},                     {"4.35", 435},            {"  12", 1200},
      {"0.005", 1},                {"-0.005", -1},           {"0.0049", 0},
      {"1234.56  ", 123456},       {"99999999999.99", 9999999999999},
  };
  for (const Case& c : cases) {
    int64_t cents = -7;
    ASSERT_TRUE(parse_money(c.field, &cents).ok()) << '"' << c.field << '"';
    EXPECT_EQ(cents, c.cents) << '"' << c.field << '"';
  }
}

TEST(Money, RejectsTextThatIsNotANumber) {
  for (const char* field : {"***********", "12a4.00", "1 2", "-", ".", "--1", "1.2.3", "1-",
                            "99999999999999999999"}) {
    int64_t cents = 0;
    Status st = parse_money(field, &cents);
    EXPECT_FALSE(st.ok()) << '"' << field << '"';
    EXPECT_EQ(st.code(), Status::Code::kInvalid);
  }
}

TEST(Money, ParsesOtherScales) {
  int64_t v = 0;
  ASSERT_TRUE(parse_number("  8", 0, &v).ok());
  EXPECT_EQ(v, 8);
  ASSERT_TRUE(parse_number("1.23456", 4, &v).ok());
  EXPECT_EQ(v, 12346);
}

TEST(Money, FormatsFieldsWithSignAndPointInTheWidth) {
  struct Case {
    int64_t value;
    int scale, width, decimals;
    const char* text;
  } cases[] = {
      {123456, 2, 15, 2, "        1234.56"},
      {-50, 2, 6, 2, " -0.50"},
      {0, 2, 4, 2, "0.00"},
      {5, 2, 5, 2, " 0.05"},
      {-99999, 2, 7, 2, "-999.99"},  // exactly fills the width
      {435, 2, 8, 0, "       4"},
      {450, 2, 3, 0, "  5"},         // half away from zero
      {-450, 2, 3, 0, " -5"},
      {-449, 2, 3, 0, " -4"},
      {-4, 2, 4, 1, " 0.0"},         // no sign on a result rounded to zero
      {-5, 2, 4, 1, "-0.1"},
      {-4, 2, 4, 0, "   0"},
      {7, 0, 8, 0, "       7"},
      {7, 0, 6, 2, "  7.00"},
      {12345678, 4, 8, 2, " 1234.57"},
  };
  for (const Case& c : cases) {
    std::string out = "junk";
    Status st = format_number(c.value, c.scale, c.width, c.decimals, &out);
    ASSERT_TRUE(st.ok()) << c.value << ": " << st.message();
    EXPECT_EQ(out, c.text) << c.value;
  }
}

TEST(Money, ValueThatDoesNotFitIsAnError) {
  struct Case {
    int64_t value;
    int scale, width, decimals;
  } cases[] = {
      {100000, 2, 6, 2},   // 1000.00 is 7 wide
      {-100000, 2, 7, 2},  // the sign needs one more
      {-1, 2, 4, 2},       // -0.01
      {999999, 2, 4, 0},   // 9999.99 rounds to 10000
      {99950, 2, 3, 0},    // 999.50 rounds to 1000
      {kMax, 0, 15, 2},
  };
  for (const Case& c : cases) {
    std::string out;
    Status st = format_number(c.value, c.scale, c.width, c.decimals, &out);
    EXPECT_EQ(st.code(), Status::Code::kInvalid) << c.value;
    EXPECT_EQ(out.find('*'), std::string::npos);
  }
}

TEST(Money, ImpossibleFieldShapeIsAnError) {
  std::string out;
  EXPECT_FALSE(format_number(1, 2, 0, 0, &out).ok());
  EXPECT_FALSE(format_number(1, 2, 3, 2, &out).ok());  // no room for "0." and two decimals
  EXPECT_TRUE(format_number(1, 2, 4, 2, &out).ok());
}

TEST(Money, FormatReadsBack) {
  for (int64_t cents : {int64_t{0}, int64_t{1}, int64_t{-1}, int64_t{435}, int64_t{-123456789},
                        int64_t{999999999999999}}) {
    std::string text;
    ASSERT_TRUE(format_number(cents, 2, 19, 2, &text).ok());
    int64_t back = 0;
    ASSERT_TRUE(parse_money(text, &back).ok());
    EXPECT_EQ(back, cents);
  }
}

TEST(Money, RoundIsHalfAwayFromZero) {
  struct Case {
    int64_t value;
    int scale, decimals;
    int64_t expected;
  } cases[] = {
      {12345, 4, 2, 12300}, {12350, 4, 2, 12400},   {-12350, 4, 2, -12400},
      {-12349, 4, 2, -12300}, {250, 2, 0, 300},     {-250, 2, 0, -300},
      {-249, 2, 0, -200},   {123, 2, 2, 123},       {123, 2, 5, 123},
      {5, 1, 0, 10},        {-5, 1, 0, -10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(round_scaled(c.value, c.scale, c.decimals), c.expected)
        << c.value << " scale " << c.scale << " to " << c.decimals;
  }
}

TEST(Money, IntIsTowardZero) {
  EXPECT_EQ(int_part(299, 2), 2);
  EXPECT_EQ(int_part(-299, 2), -2);
  EXPECT_EQ(int_part(-99, 2), 0);
  EXPECT_EQ(int_part(7, 0), 7);
}

TEST(Money, MultiplicationIsExact) {
  // 4.35 x 100 is 435.00 exactly, where binary floating point gives 434.99999...
  EXPECT_EQ(mul_round(435, 100, 0), 43500);
  EXPECT_EQ(mul_round(435, 100, 2), 435);
  // 33.34 x 5 units.
  EXPECT_EQ(mul_round(3334, 5, 0), 16670);
  // cents x factor with 4 decimals, back to cents: 10.05 x 1.2345 = 12.406725.
  EXPECT_EQ(mul_round(1005, 12345, 4), 1241);
  // 0.01 x 0.5 = 0.005 rounds away from zero in both signs.
  EXPECT_EQ(mul_round(1, 5000, 4), 1);
  EXPECT_EQ(mul_round(-1, 5000, 4), -1);
  EXPECT_EQ(mul_round(1, -5000, 4), -1);
  EXPECT_EQ(mul_round(-1, 4999, 4), 0);
  // An intermediate product beyond int64 is still exact.
  EXPECT_EQ(mul_round(kMax / 2, 10000, 4), kMax / 2);
  EXPECT_EQ(mul_round(kMax, 2, 0), kMax);
  EXPECT_EQ(mul_round(-kMax, 2, 0), std::numeric_limits<int64_t>::min());
}

TEST(Money, DivisionRoundsAndTruncates) {
  // 100.00 / 33.34 = 2.99940...
  EXPECT_EQ(div_trunc(10000, 3334, 0, -1), 2);
  EXPECT_EQ(div_round(10000, 3334, 0, -1), 3);
  EXPECT_EQ(div_trunc(10000, 3334, 5, -1), 299940);
  EXPECT_EQ(div_round(10000, 3334, 5, -1), 299940);
  EXPECT_EQ(div_round(1, 3, 2, 0), 33);
  EXPECT_EQ(div_round(2, 3, 2, 0), 67);
  EXPECT_EQ(div_round(-1, 2, 0, 0), -1);
  EXPECT_EQ(div_round(1, -2, 0, 0), -1);
  EXPECT_EQ(div_round(-1, -2, 0, 0), 1);
  EXPECT_EQ(div_trunc(-7, 2, 0, 0), -3);
  // Percentage done x 100 / count with nothing to count.
  EXPECT_EQ(div_round(5 * 100, 0, 0, 0), 0);
  EXPECT_EQ(div_trunc(5, 0, 2, 100), 100);
  EXPECT_EQ(div_round(kMax, 1, 2, 0), kMax);
}

}  // namespace
}  // namespace kav
