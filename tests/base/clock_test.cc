#include "base/clock.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

DateTime at(const char* date, int h, int m, int s) { return DateTime{*Date::parse(date), h, m, s}; }

TEST(FixedClock, StandsStillUntilMoved) {
  FixedClock clock(at("20240229", 23, 59, 58));
  EXPECT_EQ(clock.now().date.text(), "20240229");
  EXPECT_EQ(clock.now().time_text(), "23:59:58");
  int64_t ms = clock.milliseconds();
  EXPECT_EQ(clock.milliseconds(), ms);

  clock.advance_ms(2500);  // crosses midnight into March
  EXPECT_EQ(clock.milliseconds(), ms + 2500);
  EXPECT_EQ(clock.now().date.text(), "20240301");
  EXPECT_EQ(clock.now().time_text(), "00:00:00");
  clock.advance_ms(500);
  EXPECT_EQ(clock.now().time_text(), "00:00:01");

  clock.set(at("19691231", 8, 5, 9));  // before 1970 too
  EXPECT_EQ(clock.now().date.text(), "19691231");
  EXPECT_EQ(clock.now().time_text(), "08:05:09");
  EXPECT_EQ(clock.now().seconds_of_day(), 8 * 3600 + 5 * 60 + 9);
}

TEST(CurrentClock, TestsCanReplaceIt) {
  Clock* real = &current_clock();
  EXPECT_EQ(real, &system_clock());
  FixedClock fixed(at("20240115", 10, 0, 0));
  {
    ScopedClock scope(&fixed);
    EXPECT_EQ(&current_clock(), &fixed);
    EXPECT_EQ(current_clock().now().date.text(), "20240115");
  }
  EXPECT_EQ(&current_clock(), real);
  EXPECT_EQ(set_current_clock(nullptr), &system_clock());
  EXPECT_EQ(&current_clock(), &system_clock());
}

TEST(SystemClock, GivesAPlausibleLocalTime) {
  DateTime now = system_clock().now();
  EXPECT_GE(now.date.year(), 2024);
  EXPECT_LT(now.hour, 24);
  EXPECT_LT(now.minute, 60);
  EXPECT_LT(now.second, 60);
  int64_t a = system_clock().milliseconds();
  EXPECT_LE(a, system_clock().milliseconds());
}

}  // namespace
}  // namespace kav
