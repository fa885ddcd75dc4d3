#include "shell/array_cursor.h"

namespace kav {

void ArrayCursor::go_top() {
  uint32_t n = 1;
  while (n <= record_count() && !visible(n)) ++n;
  go_to(n);
  bof_ = eof_;
}

void ArrayCursor::go_bottom() {
  uint32_t n = record_count();
  while (n >= 1 && !visible(n)) --n;
  go_to(n == 0 ? record_count() + 1 : n);
  bof_ = eof_;
}

void ArrayCursor::go_to(uint32_t recno) {
  eof_ = recno < 1 || recno > record_count();
  recno_ = eof_ ? record_count() + 1 : recno;
  bof_ = false;
}

void ArrayCursor::skip(int n) {
  for (; n > 0; --n) {
    if (eof_) return;
    uint32_t r = recno_ + 1;
    while (r <= record_count() && !visible(r)) ++r;
    go_to(r);
  }
  for (; n < 0; ++n) {
    uint32_t r = recno_;
    do {
      --r;
    } while (r >= 1 && !visible(r));
    if (r < 1) {
      const uint32_t here = recno_;
      go_top();
      if (eof_ && here <= record_count()) go_to(here);
      bof_ = true;
      return;
    }
    go_to(r);
  }
}

}  // namespace kav
