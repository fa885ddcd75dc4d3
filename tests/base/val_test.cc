#include "base/val.h"

#include <gtest/gtest.h>

#include <limits>

namespace kav {
namespace {

TEST(Val, IntegerReading) {
  struct Case {
    const char* text;
    int64_t expected;
  } cases[] = {
      {"", 0},          {"   ", 0},       {"ABC", 0},      {"123", 123},
      {"  0042", 42},   {"-17", -17},     {"+5", 5},       {"12.7", 12},
      {"-12.7", -12},   {"12AB34", 12},   {"1 2", 1},      {"- 5", 0},
      {"--5", 0},       {"\t5", 0},       {"000000000000000", 0},
      {"999999999999999", 999999999999999},
  };
  for (const Case& c : cases) EXPECT_EQ(val_int(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Val, IntegerSaturatesBeyondRange) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(val_int("9223372036854775807"), kMax);
  EXPECT_EQ(val_int("99999999999999999999999"), kMax);
  EXPECT_EQ(val_int("-99999999999999999999999"), -kMax);
  EXPECT_TRUE(scan_decimal("99999999999999999999", 0).overflow);
  EXPECT_FALSE(scan_decimal("9223372036854775807", 0).overflow);
}

TEST(Val, ScaledReading) {
  struct Case {
    const char* text;
    int decimals;
    int64_t expected;
  } cases[] = {
      {"4.35", 2, 435},     {"  1234.56", 2, 123456}, {"-0.5", 2, -50},   {".5", 2, 50},
      {"-.5", 2, -50},      {"5.", 2, 500},           {"7", 3, 7000},     {"0.125", 2, 13},
      {"-0.125", 2, -13},   {"0.124999", 2, 12},      {"2.5", 0, 3},      {"-2.5", 0, -3},
      {"1.0049", 2, 100},   {"0.995", 2, 100},        {"1.5x", 1, 15},    {".", 2, 0},
      {"-.", 2, 0},         {"1.23456789", 4, 12346}, {"12.3", 0, 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(val_scaled(c.text, c.decimals), c.expected) << '"' << c.text << "\" " << c.decimals;
  }
}

TEST(Val, ScanReportsWhatWasRead) {
  DecimalScan s = scan_decimal("  -12.50 X", 2);
  EXPECT_TRUE(s.digits);
  EXPECT_EQ(s.value, -1250);
  EXPECT_EQ(s.end, 8u);
  EXPECT_FALSE(scan_decimal("  X", 2).digits);
  EXPECT_EQ(scan_decimal(".", 2).end, 0u);
  EXPECT_EQ(scan_decimal("3.", 2).end, 2u);
}

}  // namespace
}  // namespace kav
