#include "base/date.h"

#include <cstdio>

namespace kav {

namespace {

// Reads `s` as a number when it is all digits (and not empty).
std::optional<int> digits_value(std::string_view s) {
  if (s.empty()) return std::nullopt;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

std::optional<Date> from_parts(std::string_view y, std::string_view m, std::string_view d) {
  auto yy = digits_value(y), mm = digits_value(m), dd = digits_value(d);
  if (!yy || !mm || !dd) return std::nullopt;
  return Date::from_ymd(*yy, *mm, *dd);
}

// Day counts of the proleptic Gregorian calendar, on years starting in March
// so that the leap day comes last (H. Hinnant's days_from_civil).
int64_t days_from_civil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

const int64_t kMinDay = days_from_civil(1, 1, 1);
const int64_t kMaxDay = days_from_civil(9999, 12, 31);

}  // namespace

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && is_leap_year(year) ? 29 : kDays[month - 1];
}

std::optional<Date> Date::parse(std::string_view s) {
  if (s.size() != 8) return std::nullopt;
  return from_parts(s.substr(0, 4), s.substr(4, 2), s.substr(6, 2));
}

std::optional<Date> Date::parse_typed(std::string_view s) {
  if (s.size() != 10 || s[2] != '/' || s[5] != '/') return std::nullopt;
  return from_parts(s.substr(6, 4), s.substr(3, 2), s.substr(0, 2));
}

std::optional<Date> Date::from_ymd(int year, int month, int day) {
  if (year < Competence::kMinYear || year > Competence::kMaxYear) return std::nullopt;
  if (day < 1 || day > days_in_month(year, month)) return std::nullopt;
  return Date(year, month, day);
}

std::optional<Date> Date::from_day_number(int64_t days) {
  if (days < kMinDay || days > kMaxDay) return std::nullopt;
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
  return Date(y, m, d);
}

int64_t Date::day_number() const { return days_from_civil(year_, month_, day_); }

std::optional<Date> Date::add_days(int64_t n) const {
  if (n < kMinDay - kMaxDay || n > kMaxDay - kMinDay) return std::nullopt;
  return from_day_number(day_number() + n);
}

Competence Date::competence() const { return *Competence::from_year_month(year_, month_); }

std::string Date::text() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", year_, month_, day_);
  return buf;
}

std::string Date::display() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", day_, month_, year_);
  return buf;
}

int64_t days_between(Date from, Date to) { return to.day_number() - from.day_number(); }

}  // namespace kav
