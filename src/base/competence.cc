#include "base/competence.h"

#include <cstdio>

namespace kav {

namespace {

bool all_digits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int digits_value(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

constexpr int kMinIndex = Competence::kMinYear * 12;
constexpr int kMaxIndex = Competence::kMaxYear * 12 + 11;

}  // namespace

std::optional<Competence> Competence::parse(std::string_view yyyymm) {
  if (yyyymm.size() != 6 || !all_digits(yyyymm)) return std::nullopt;
  return from_year_month(digits_value(yyyymm.substr(0, 4)), digits_value(yyyymm.substr(4, 2)));
}

std::optional<Competence> Competence::from_year_month(int year, int month) {
  if (year < kMinYear || year > kMaxYear || month < 1 || month > 12) return std::nullopt;
  return Competence(year * 12 + month - 1);
}

std::optional<Competence> Competence::from_index(int index) {
  if (index < kMinIndex || index > kMaxIndex) return std::nullopt;
  return Competence(index);
}

std::optional<Competence> Competence::add_months(int n) const {
  // Both terms lie well inside int, so the sum cannot overflow.
  if (n < kMinIndex - kMaxIndex || n > kMaxIndex - kMinIndex) return std::nullopt;
  return from_index(index_ + n);
}

std::string Competence::text() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d", year(), month());
  return buf;
}

std::string Competence::display() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%04d", month(), year());
  return buf;
}

int months_between(Competence from, Competence to) { return to.index() - from.index(); }

}  // namespace kav
