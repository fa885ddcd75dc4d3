#include "base/money.h"

#include <cassert>
#include <limits>

#include "base/val.h"

namespace kav {

namespace {

using Wide = __int128;

int64_t saturate(Wide v) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  if (v > kMax) return kMax;
  if (v < kMin) return kMin;
  return static_cast<int64_t>(v);
}

Wide abs_wide(Wide v) { return v < 0 ? -v : v; }

// n / d rounded half away from zero (d != 0).
Wide div_half_away(Wide n, Wide d) {
  Wide q = n / d;
  Wide r = n % d;
  if (2 * abs_wide(r) >= abs_wide(d)) q += ((n < 0) == (d < 0)) ? 1 : -1;
  return q;
}

bool all_blank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

Status bad_number(std::string_view field) {
  return Status::Invalid("invalid number \"" + std::string(field) + "\"");
}

}  // namespace

int64_t pow10(int n) {
  assert(n >= 0 && n <= 18);
  int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

Status parse_number(std::string_view field, int scale, int64_t* value) {
  if (all_blank(field)) {
    *value = 0;
    return Status::Ok();
  }
  DecimalScan scan = scan_decimal(field, scale);
  if (!scan.digits || scan.overflow || !all_blank(field.substr(scan.end))) return bad_number(field);
  *value = scan.value;
  return Status::Ok();
}

Status parse_money(std::string_view field, int64_t* cents) {
  return parse_number(field, kCentsScale, cents);
}

Status format_number(int64_t value, int scale, int width, int decimals, std::string* out) {
  if (width < 1 || decimals < 0 || decimals > 18 || scale < 0 || scale > 18 ||
      (decimals > 0 && width < decimals + 2)) {
    return Status::Invalid("impossible numeric field N(" + std::to_string(width) + "," +
                           std::to_string(decimals) + ")");
  }
  Wide v = value;
  if (decimals >= scale) {
    v *= pow10(decimals - scale);
  } else {
    v = div_half_away(v, pow10(scale - decimals));
  }
  std::string digits;
  for (Wide m = abs_wide(v); m > 0 || static_cast<int>(digits.size()) <= decimals; m /= 10) {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
  }
  if (decimals > 0) digits.insert(digits.end() - decimals, '.');
  if (v < 0) digits.insert(digits.begin(), '-');
  if (static_cast<int>(digits.size()) > width) {
    return Status::Invalid("value " + digits + " does not fit N(" + std::to_string(width) + "," +
                           std::to_string(decimals) + ")");
  }
  out->assign(static_cast<size_t>(width) - digits.size(), ' ');
  out->append(digits);
  return Status::Ok();
}

int64_t round_scaled(int64_t value, int scale, int decimals) {
  assert(decimals >= 0);
  if (decimals >= scale) return value;
  int64_t unit = pow10(scale - decimals);
  return saturate(div_half_away(value, unit) * unit);
}

int64_t int_part(int64_t value, int scale) { return value / pow10(scale); }

int64_t mul_round(int64_t a, int64_t b, int drop) {
  return saturate(div_half_away(Wide(a) * b, pow10(drop)));
}

int64_t div_round(int64_t a, int64_t b, int scale, int64_t if_zero) {
  if (b == 0) return if_zero;
  return saturate(div_half_away(Wide(a) * pow10(scale), b));
}

int64_t div_trunc(int64_t a, int64_t b, int scale, int64_t if_zero) {
  if (b == 0) return if_zero;
  return saturate(Wide(a) * pow10(scale) / b);
}

}  // namespace kav
