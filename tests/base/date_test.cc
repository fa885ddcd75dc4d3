#include "base/date.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

Date D(const char* text) { return *Date::parse(text); }

TEST(Date, LeapYears) {
  EXPECT_TRUE(is_leap_year(2024));
  EXPECT_FALSE(is_leap_year(2023));
  EXPECT_FALSE(is_leap_year(1900));
  EXPECT_TRUE(is_leap_year(2000));
  EXPECT_EQ(days_in_month(2024, 2), 29);
  EXPECT_EQ(days_in_month(1900, 2), 28);
  EXPECT_EQ(days_in_month(2023, 4), 30);
  EXPECT_EQ(days_in_month(2023, 13), 0);
}

TEST(Date, ParsesOnlyRealDays) {
  for (const char* text : {"20240229", "20000229", "19991231", "00010101", "99991231"}) {
    auto d = Date::parse(text);
    ASSERT_TRUE(d) << text;
    EXPECT_EQ(d->text(), text);
  }
  for (const char* text : {"20230229", "19000229", "20240431", "20240001", "20241301", "20240100",
                           "00000101", "        ", "2024011", "202401011", "2024 101", "2024-1-1"}) {
    EXPECT_FALSE(Date::parse(text)) << '"' << text << '"';
  }
}

TEST(Date, TypedByTheOperator) {
  auto d = Date::parse_typed("29/02/2024");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->text(), "20240229");
  EXPECT_EQ(d->display(), "29/02/2024");
  for (const char* text : {"29/02/2023", "  /  /    ", "1/2/2024", "01-02-2024", "01/02/24",
                           "32/01/2024", "01/13/2024", " 1/02/2024"}) {
    EXPECT_FALSE(Date::parse_typed(text)) << '"' << text << '"';
  }
}

TEST(Date, DayCounts) {
  EXPECT_EQ(D("19700101").day_number(), 0);
  EXPECT_EQ(D("19691231").day_number(), -1);
  EXPECT_EQ(days_between(D("20240228"), D("20240301")), 2);
  EXPECT_EQ(days_between(D("20230228"), D("20230301")), 1);
  EXPECT_EQ(days_between(D("20240101"), D("20250101")), 366);
  EXPECT_EQ(days_between(D("20250101"), D("20240101")), -366);
  EXPECT_EQ(D("20241231").add_days(1)->text(), "20250101");
  EXPECT_EQ(D("20240301").add_days(-1)->text(), "20240229");
  EXPECT_FALSE(D("99991231").add_days(1));
  EXPECT_FALSE(D("00010101").add_days(-1));
  EXPECT_FALSE(D("20240101").add_days(INT64_MIN));
}

TEST(Date, DayNumberRoundTripsOverTheCalendar) {
  int64_t first = D("00010101").day_number();
  int64_t last = D("99991231").day_number();
  for (int64_t n = first; n <= last; n += 97) {
    auto d = Date::from_day_number(n);
    ASSERT_TRUE(d) << n;
    EXPECT_EQ(d->day_number(), n);
    EXPECT_EQ(Date::parse(d->text()), d);
  }
  EXPECT_FALSE(Date::from_day_number(first - 1));
  EXPECT_FALSE(Date::from_day_number(last + 1));
}

TEST(Date, CompetenceAndOrder) {
  EXPECT_EQ(D("20240315").competence().text(), "202403");
  EXPECT_LT(D("20231231"), D("20240101"));
  EXPECT_LT(D("20240101"), D("20240102"));
}

}  // namespace
}  // namespace kav
