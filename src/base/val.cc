#include "base/val.h"

#include <cassert>
#include <limits>

namespace kav {

namespace {

constexpr uint64_t kMax = std::numeric_limits<int64_t>::max();

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Magnitude being built digit by digit; saturates at kMax.
struct Accumulator {
  uint64_t mag = 0;
  bool overflow = false;
  void push(int digit) {
    if (overflow || mag > (kMax - static_cast<uint64_t>(digit)) / 10) {
      overflow = true;
      mag = kMax;
      return;
    }
    mag = mag * 10 + static_cast<uint64_t>(digit);
  }
  void round_up() {
    if (mag == kMax) {
      overflow = true;
    } else {
      ++mag;
    }
  }
};

// Decimals beyond `decimals` round half away from zero, or are dropped
// when `truncate` is set.
DecimalScan scan(std::string_view s, int decimals, bool truncate) {
  assert(decimals >= 0 && decimals <= 18);
  DecimalScan r;
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  Accumulator acc;
  bool digits = false;
  for (; i < s.size() && is_digit(s[i]); ++i) {
    acc.push(s[i] - '0');
    digits = true;
  }
  int kept = 0;
  bool round_up = false;
  if (i < s.size() && s[i] == '.') {
    size_t j = i + 1;
    for (; j < s.size() && is_digit(s[j]); ++j) {
      if (kept < decimals) {
        acc.push(s[j] - '0');
        ++kept;
      } else if (j == i + 1 + static_cast<size_t>(decimals)) {
        round_up = !truncate && s[j] >= '5';
      }
    }
    // A lone point reads nothing: "." and "-." are not numbers.
    if (digits || j > i + 1) {
      digits = true;
      i = j;
    }
  }
  if (!digits) return r;
  for (; kept < decimals; ++kept) acc.push(0);
  if (round_up) acc.round_up();
  r.digits = true;
  r.end = i;
  r.overflow = acc.overflow;
  r.value = negative ? -static_cast<int64_t>(acc.mag) : static_cast<int64_t>(acc.mag);
  return r;
}

}  // namespace

DecimalScan scan_decimal(std::string_view s, int decimals) { return scan(s, decimals, false); }

int64_t val_int(std::string_view s) { return scan(s, 0, true).value; }

int64_t val_scaled(std::string_view s, int decimals) { return scan_decimal(s, decimals).value; }

}  // namespace kav
