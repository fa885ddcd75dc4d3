// Calendar dates. Tables and files keep them as "YYYYMMDD" text (blanks when
// not informed); the operator types "dd/mm/yyyy". A Date always holds a real
// calendar day of the years 0001-9999.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/competence.h"

namespace kav {

bool is_leap_year(int year);
// Days of `month` in `year`; 0 when the month is outside 1-12.
int days_in_month(int year, int month);

class Date {
 public:
  // Exactly eight digits naming a real day; anything else (blanks included)
  // is empty.
  static std::optional<Date> parse(std::string_view yyyymmdd);
  // "dd/mm/yyyy" as typed by the operator: two digits, '/', two digits, '/',
  // four digits, naming a real day.
  static std::optional<Date> parse_typed(std::string_view ddmmyyyy);
  static std::optional<Date> from_ymd(int year, int month, int day);
  // The inverse of day_number().
  static std::optional<Date> from_day_number(int64_t days);

  int year() const { return year_; }
  int month() const { return month_; }
  int day() const { return day_; }
  // Days since 1970-01-01 (negative before it).
  int64_t day_number() const;
  // `n` days later (earlier when negative); empty outside the years above.
  std::optional<Date> add_days(int64_t n) const;
  Competence competence() const;

  std::string text() const;     // "YYYYMMDD"
  std::string display() const;  // "dd/mm/yyyy"

  auto operator<=>(const Date&) const = default;

 private:
  Date(int year, int month, int day) : year_(year), month_(month), day_(day) {}
  int year_;
  int month_;
  int day_;
};

// How many days from `from` to `to`: negative when `to` is earlier.
int64_t days_between(Date from, Date to);

}  // namespace kav
