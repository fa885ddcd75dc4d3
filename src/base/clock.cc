#include "base/clock.h"

#include <time.h>

#include <chrono>
#include <cstdio>

namespace kav {

namespace {

constexpr int64_t kMsPerDay = 86400 * 1000;

class SystemClock : public Clock {
 public:
  DateTime now() const override {
    time_t t = ::time(nullptr);
    struct tm tm;
    ::localtime_r(&t, &tm);
    auto date = Date::from_ymd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    // A leap second reads as the last second of the minute.
    return DateTime{*date, tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec};
  }

  int64_t milliseconds() const override {
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch())
        .count();
  }
};

int64_t floor_div(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

Clock* g_current = nullptr;

}  // namespace

std::string DateTime::time_text() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
  return buf;
}

Clock& system_clock() {
  static SystemClock clock;
  return clock;
}

FixedClock::FixedClock(DateTime start) { set(start); }

DateTime FixedClock::now() const {
  int64_t day = floor_div(ms_, kMsPerDay);
  int sec = static_cast<int>((ms_ - day * kMsPerDay) / 1000);
  // A clock moved beyond the calendar stays on its first or last day.
  auto date = Date::from_day_number(day);
  if (!date) date = day < 0 ? Date::from_ymd(1, 1, 1) : Date::from_ymd(9999, 12, 31);
  return DateTime{*date, sec / 3600, sec / 60 % 60, sec % 60};
}

int64_t FixedClock::milliseconds() const { return ms_; }

void FixedClock::set(DateTime t) {
  ms_ = t.date.day_number() * kMsPerDay + int64_t{t.seconds_of_day()} * 1000;
}

void FixedClock::advance_ms(int64_t ms) { ms_ += ms; }

Clock& current_clock() { return g_current ? *g_current : system_clock(); }

Clock* set_current_clock(Clock* c) {
  Clock* previous = g_current ? g_current : &system_clock();
  g_current = c;
  return previous;
}

}  // namespace kav
