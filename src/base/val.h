// Reading numbers out of text the way VAL() does: leading blanks skipped, an
// optional sign, then digits up to the first character that is not one
// (with an optional decimal part). Whatever follows is ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kav {

// What scan_decimal() found at the start of a text.
struct DecimalScan {
  int64_t value = 0;      // the number times 10^decimals, rounded half away from zero
  size_t end = 0;         // bytes read: blanks, sign, digits, point and decimals
  bool digits = false;    // at least one digit was read
  bool overflow = false;  // the number does not fit in int64; value is saturated
};

// Reads "[blanks][+|-]digits[.digits]" from the start of `s` as an integer
// scaled by 10^decimals (0 <= decimals <= 18). Decimals beyond `decimals`
// round half away from zero. Nothing readable gives value 0, end 0.
DecimalScan scan_decimal(std::string_view s, int decimals);

// VAL(s) truncated toward zero: "  12.7x" gives 12, "-3" gives -3, "" and
// "ABC" give 0. Beyond the int64 range the result saturates.
int64_t val_int(std::string_view s);

// VAL(s) times 10^decimals, rounded half away from zero:
// val_scaled(" 4.35", 2) == 435, val_scaled("-0.125", 2) == -13.
int64_t val_scaled(std::string_view s, int decimals);

}  // namespace kav
