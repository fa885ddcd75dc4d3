#include "base/competence.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

Competence C(const char* text) { return *Competence::parse(text); }

TEST(Competence, ParsesValidText) {
  auto c = Competence::parse("202401");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->year(), 2024);
  EXPECT_EQ(c->month(), 1);
  EXPECT_EQ(c->index(), 2024 * 12);
  EXPECT_EQ(c->text(), "202401");
  EXPECT_EQ(c->display(), "01/2024");
  EXPECT_EQ(C("999912").display(), "12/9999");
  EXPECT_EQ(C("000101").text(), "000101");
}

TEST(Competence, RejectsInvalidText) {
  for (const char* text : {"202400", "202413", "202499", "000012", "20241", "2024011", "", "      ",
                           "2024 1", " 20241", "2024-1", "abcdef", "+20241"}) {
    EXPECT_FALSE(Competence::parse(text)) << '"' << text << '"';
  }
  EXPECT_FALSE(Competence::from_year_month(2024, 0));
  EXPECT_FALSE(Competence::from_year_month(2024, 13));
  EXPECT_FALSE(Competence::from_year_month(10000, 1));
  EXPECT_FALSE(Competence::from_year_month(0, 1));
}

TEST(Competence, MonthArithmetic) {
  struct Case {
    const char* from;
    int n;
    const char* to;
  } cases[] = {
      {"202401", -1, "202312"}, {"202412", 1, "202501"}, {"202405", -6, "202311"},
      {"202405", 0, "202405"},  {"202403", 2, "202405"}, {"202001", -25, "201712"},
      {"202011", 14, "202201"}, {"202401", 120, "203401"},
  };
  for (const Case& c : cases) {
    auto r = C(c.from).add_months(c.n);
    ASSERT_TRUE(r) << c.from << " " << c.n;
    EXPECT_EQ(r->text(), c.to) << c.from << " " << c.n;
    EXPECT_EQ(months_between(C(c.from), *r), c.n);
  }
}

TEST(Competence, ArithmeticOutsideTheCalendarIsEmpty) {
  EXPECT_FALSE(C("000101").add_months(-1));
  EXPECT_FALSE(C("999912").add_months(1));
  EXPECT_FALSE(C("202401").add_months(2147483647));
  EXPECT_FALSE(C("202401").add_months(-2147483647 - 1));
  EXPECT_EQ(C("000101").add_months(9999 * 12 - 1)->text(), "999912");
}

TEST(Competence, IndexRoundTripAndOrder) {
  EXPECT_EQ(Competence::from_index(C("202307").index()), C("202307"));
  EXPECT_FALSE(Competence::from_index(11));
  EXPECT_LT(C("202312"), C("202401"));
  EXPECT_EQ(months_between(C("202401"), C("202401")), 0);
  EXPECT_EQ(months_between(C("202401"), C("202312")), -1);
}

}  // namespace
}  // namespace kav
