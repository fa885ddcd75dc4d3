// Money and other fixed-point numbers. Money is int64 cents; quantities,
// factors and percentages are int64 with a stated number of decimals (the
// "scale"). No binary floating point takes part in any of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/status.h"

namespace kav {

constexpr int kCentsScale = 2;

// 10^n for 0 <= n <= 18.
int64_t pow10(int n);

// Reads the text of a dBASE N field exactly, as a value with `scale`
// decimals: "  1234.56", "-0.5", "12"; all blanks is 0. Decimals beyond
// `scale` round half away from zero. Anything else in the field (letters,
// asterisks, a second sign, a number beyond int64) is an Invalid status.
Status parse_number(std::string_view field, int scale, int64_t* value);

// parse_number() with scale 2.
Status parse_money(std::string_view field, int64_t* cents);

// Writes `value` (with `scale` decimals) as a dBASE N field of `width`
// characters with `decimals` decimals: right-aligned, the sign and the point
// counted in the width, at least one digit before the point ("  -0.50").
// Dropped decimals round half away from zero. A value that does not fit is
// an Invalid status, never a field of asterisks; so is an impossible width.
Status format_number(int64_t value, int scale, int width, int decimals, std::string* out);

// ROUND(x, decimals) of x = value / 10^scale, half away from zero; the
// result keeps `scale` decimals: round_scaled(12345, 4, 2) == 12300.
int64_t round_scaled(int64_t value, int scale, int decimals);

// INT(x) of x = value / 10^scale: the integer part, toward zero.
int64_t int_part(int64_t value, int scale);

// a x b / 10^drop, rounded half away from zero: quantity x unit cents with
// drop 0; cents x a factor of 4 decimals back to cents with drop 4.
// Results beyond int64 saturate.
int64_t mul_round(int64_t a, int64_t b, int drop);

// a x 10^scale / b, rounded half away from zero (div_round) or toward zero
// (div_trunc); `if_zero` when b is 0. Results beyond int64 saturate.
int64_t div_round(int64_t a, int64_t b, int scale, int64_t if_zero);
int64_t div_trunc(int64_t a, int64_t b, int scale, int64_t if_zero);

}  // namespace kav
