// The program's clock: today's date, the time of day and a millisecond
// count all come from here, so tests can fix them. The process-wide clock
// is the system's unless a test puts another in its place.
#pragma once

#include <cstdint>
#include <string>

#include "base/date.h"

namespace kav {

// A local date and time of day, to the second.
struct DateTime {
  Date date;
  int hour = 0;
  int minute = 0;
  int second = 0;

  int seconds_of_day() const { return hour * 3600 + minute * 60 + second; }
  std::string time_text() const;  // "hh:mm:ss"
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The local date and time.
  virtual DateTime now() const = 0;
  // A count of milliseconds that never goes back; only differences and the
  // low bits mean anything.
  virtual int64_t milliseconds() const = 0;
};

// The real clock (std::chrono and the local time zone).
Clock& system_clock();

// A clock that stands still until moved; for tests.
class FixedClock : public Clock {
 public:
  explicit FixedClock(DateTime start);

  DateTime now() const override;
  int64_t milliseconds() const override;

  // Puts the clock at `t`; the millisecond count follows.
  void set(DateTime t);
  // Moves date, time and the millisecond count forward by `ms`.
  void advance_ms(int64_t ms);

 private:
  int64_t ms_;  // milliseconds since 1970-01-01 00:00 local
};

// The clock every part of the program uses.
Clock& current_clock();
// Puts `c` in place of the current clock (nullptr: the system clock) and
// returns the previous one. `c` must outlive its use.
Clock* set_current_clock(Clock* c);

// Replaces the current clock for the life of the object.
class ScopedClock {
 public:
  explicit ScopedClock(Clock* c) : previous_(set_current_clock(c)) {}
  ~ScopedClock() { set_current_clock(previous_); }
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  Clock* previous_;
};

}  // namespace kav
