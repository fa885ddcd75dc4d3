#include "cadcheck/check_sum.h"

namespace kav::cadcheck {

namespace {

bool is_blank(char c) { return static_cast<uint8_t>(c) <= 32; }

// In runs short enough for a 32-bit total, which the compiler vectorizes.
uint64_t weighted_sum(const char* p, size_t n) {
  constexpr size_t kRun = 1 << 16;
  uint64_t s = 0;
  for (size_t start = 0; start < n; start += kRun) {
    size_t end = n - start < kRun ? n : start + kRun;
    uint32_t run = 0;
    for (size_t i = start; i < end; ++i) {
      uint8_t c = static_cast<uint8_t>(p[i]);
      run += c > 32 ? c : 1;
    }
    s += run;
  }
  return s;
}

}  // namespace

void CheckSum::Add(std::string_view piece) {
  size_t begin = 0, end = piece.size();
  if (!started_) {
    while (begin < end && is_blank(piece[begin])) ++begin;
    if (begin == end) return;
    started_ = true;
  }
  while (end > begin && is_blank(piece[end - 1])) --end;
  if (end == begin) {
    pending_ += piece.size() - begin;
    return;
  }
  sum_ += pending_ + weighted_sum(piece.data() + begin, end - begin);
  pending_ = piece.size() - end;
}

uint64_t check_sum(std::string_view text) {
  CheckSum sum;
  sum.Add(text);
  return sum.value();
}

}  // namespace kav::cadcheck
