// A competence: the year and month a production belongs to, "YYYYMM" in
// tables and files, "mm/yyyy" on screen. Month arithmetic is done on
// year x 12 + month, so no loop ever walks month by month.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

class Competence {
 public:
  static constexpr int kMinYear = 1;
  static constexpr int kMaxYear = 9999;

  // Exactly six digits, month 01-12, year 0001-9999; anything else is empty.
  static std::optional<Competence> parse(std::string_view yyyymm);
  static std::optional<Competence> from_year_month(int year, int month);
  // The inverse of index().
  static std::optional<Competence> from_index(int index);

  int year() const { return index_ / 12; }
  int month() const { return index_ % 12 + 1; }
  // year x 12 + month - 1.
  int index() const { return index_; }

  // `n` months later (earlier when negative); empty outside the years above.
  std::optional<Competence> add_months(int n) const;

  std::string text() const;     // "YYYYMM"
  std::string display() const;  // "mm/yyyy"

  auto operator<=>(const Competence&) const = default;

 private:
  explicit Competence(int index) : index_(index) {}
  int index_;
};

// How many months from `from` to `to`: negative when `to` is earlier.
int months_between(Competence from, Competence to);

}  // namespace kav
