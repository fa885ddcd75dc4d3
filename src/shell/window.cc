#include "shell/window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "shell/colour.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

using Glyphs = std::array<Glyph, 8>;

// Clockwise from the top-left corner.
constexpr Glyphs kFrames[5] = {
    {0x250C, 0x2500, 0x2510, 0x2502, 0x2518, 0x2500, 0x2514, 0x2502},
    {0x2554, 0x2550, 0x2557, 0x2551, 0x255D, 0x2550, 0x255A, 0x2551},
    {0x2552, 0x2550, 0x2555, 0x2502, 0x255B, 0x2550, 0x2558, 0x2502},
    {0x2553, 0x2500, 0x2556, 0x2551, 0x255C, 0x2500, 0x2559, 0x2551},
    {glyph::kFullBlock, glyph::kUpperHalf, glyph::kFullBlock, glyph::kFullBlock,
     glyph::kFullBlock, glyph::kLowerHalf, glyph::kFullBlock, glyph::kFullBlock},
};

constexpr Attr kShadow = make_attr(8, 0);

bool frame_glyphs(const Frame& frame, Glyphs* out) {
  if (const int* n = std::get_if<int>(&frame)) {
    if (*n < 1 || *n > 5) return false;
    *out = kFrames[*n - 1];
    return true;
  }
  const std::string& text = std::get<std::string>(frame);
  if (text.empty()) return false;
  for (size_t i = 0; i < 8; ++i) {
    (*out)[i] = Glyph(static_cast<unsigned char>(text[std::min(i, text.size() - 1)]));
  }
  return true;
}

}  // namespace

bool draw_frame(int top, int left, int bottom, int right, const Frame& frame, Attr attr) {
  Glyphs g;
  if (!frame_glyphs(frame, &g)) return false;
  Screen& s = screen();
  for (int c = left + 1; c < right; ++c) {
    s.put_glyph(top, c, g[1], attr);
    s.put_glyph(bottom, c, g[5], attr);
  }
  for (int r = top + 1; r < bottom; ++r) {
    s.put_glyph(r, right, g[3], attr);
    s.put_glyph(r, left, g[7], attr);
  }
  s.put_glyph(top, left, g[0], attr);
  s.put_glyph(top, right, g[2], attr);
  s.put_glyph(bottom, right, g[4], attr);
  s.put_glyph(bottom, left, g[6], attr);
  return true;
}

std::string WINDOW(int top, int left, int bottom, int right, const std::string& colour,
                   const Frame& frame, bool shadow) {
  const Region saved = screen().save(top, left, bottom, right);
  std::string coords;
  for (int n : {top, left, bottom, right}) {
    char two[8];
    std::snprintf(two, sizeof two, "%2d", std::clamp(n, 0, 99));
    coords += two;
  }
  if (shadow) {
    SOMBRA(top, left, bottom - 1, right - 2);
    bottom -= 1;
    right -= 2;
  }
  const Attr a = (colour.empty() ? current_scheme() : parse_scheme(colour)).normal;
  screen().fill(top, left, bottom, right, ' ', a);
  draw_frame(top, left, bottom, right, frame, a);
  return saved.bytes() + coords;
}

void RESTWINDOW(const std::string& saved) {
  if (saved.size() < 8) return;
  const std::string coords = saved.substr(saved.size() - 8);
  const auto number = [&](int i) { return std::atoi(coords.substr(i * 2, 2).c_str()); };
  screen().restore(Region::from_bytes(number(0), number(1), number(2), number(3),
                                      std::string_view(saved).substr(0, saved.size() - 8)));
}

void SOMBRA(int top, int left, int bottom, int right) {
  Screen& s = screen();
  const int last = std::min(right + 2, Screen::kCols - 1);
  for (int c = left + 2; c <= last; ++c) s.set_attr(bottom + 1, c, kShadow);
  for (int r = top + 1; r <= bottom; ++r) {
    for (int c = right + 1; c <= last; ++c) s.set_attr(r, c, kShadow);
  }
}

void WINSHADE(int top, int left, int bottom, int right) { SOMBRA(top, left, bottom, right); }

void QUADRO(int top, int left, int bottom, int right, const Frame& /*frame*/) {
  SOMBRA(top, left, bottom, right);
  screen().fill(top + 1, left, bottom, right, glyph::kFullBlock, parse_pair("B+/BG", 0));
}

}  // namespace kav
