// Check sum of a kit line: leading and trailing bytes 0-32 are left out;
// inside, a byte above 32 adds its code and any other byte adds 1.
#pragma once

#include <cstdint>
#include <string_view>

namespace kav::cadcheck {

// Sum of a text given in consecutive pieces.
class CheckSum {
 public:
  void Add(std::string_view piece);
  uint64_t value() const { return sum_; }

 private:
  bool started_ = false;   // a byte above 32 has been seen
  uint64_t sum_ = 0;       // up to the last byte above 32
  uint64_t pending_ = 0;   // blanks after it, counted if more text follows
};

uint64_t check_sum(std::string_view text);

}  // namespace kav::cadcheck
