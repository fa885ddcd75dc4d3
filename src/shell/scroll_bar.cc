#include "shell/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "shell/shell_state.h"

namespace kav {

int ScrollBar::position(int k, int n, int h) {
  if (k <= 1 || n <= 0) return 1;
  if (k >= n) return std::max(h, 1);
  return std::max(1, int(std::lround(double(k) / n * h)));
}

void ScrollBar::draw_track() {
  for (int r = top_ + 1; r <= bottom_ - 1; ++r) screen().put_glyph(r, col_, glyph::kLightShade, attr_);
  thumb_ = 0;
}

void ScrollBar::update(int k, int n) {
  const int h = bottom_ - 1 - top_;
  if (h < 1) return;
  const int p = position(k, n, h);
  if (p == thumb_) return;
  if (thumb_ > 0) screen().put_glyph(top_ + thumb_, col_, glyph::kLightShade, attr_);
  screen().put_glyph(top_ + p, col_, glyph::kDarkShade, attr_);
  thumb_ = p;
}

}  // namespace kav
