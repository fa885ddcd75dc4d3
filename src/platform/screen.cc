#include "platform/screen.h"

#include <algorithm>

namespace kav {

std::string Region::bytes() const {
  std::string out;
  out.reserve(cells.size() * 3);
  for (const Cell& c : cells) {
    out.push_back(char(c.glyph & 0xFF));
    out.push_back(char(c.glyph >> 8));
    out.push_back(char(c.attr));
  }
  return out;
}

Region Region::from_bytes(int top, int left, int bottom, int right, std::string_view b) {
  Region r{top, left, bottom, right, {}};
  r.cells.reserve(b.size() / 3);
  for (size_t i = 0; i + 2 < b.size(); i += 3) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(b[i + k]); };
    r.cells.push_back(Cell{Glyph(byte(0) | (byte(1) << 8)), Attr(byte(2))});
  }
  return r;
}

Screen::Screen() : cells_(kRows * kCols) {}

void Screen::put(int row, int col, std::string_view latin1, Attr attr) {
  for (size_t i = 0; i < latin1.size(); ++i) {
    put_glyph(row, col + int(i), Glyph(static_cast<unsigned char>(latin1[i])), attr);
  }
}

void Screen::put_glyph(int row, int col, Glyph g, Attr attr) {
  if (inside(row, col)) cells_[row * kCols + col] = Cell{g, attr};
}

void Screen::set_attr(int row, int col, Attr attr) {
  if (inside(row, col)) cells_[row * kCols + col].attr = attr;
}

void Screen::fill(int top, int left, int bottom, int right, Glyph g, Attr attr) {
  for (int r = std::max(top, 0); r <= std::min(bottom, kRows - 1); ++r) {
    for (int c = std::max(left, 0); c <= std::min(right, kCols - 1); ++c) {
      cells_[r * kCols + c] = Cell{g, attr};
    }
  }
}

Region Screen::save(int top, int left, int bottom, int right) const {
  Region r{top, left, bottom, right, {}};
  for (int row = top; row <= bottom; ++row) {
    for (int col = left; col <= right; ++col) {
      r.cells.push_back(inside(row, col) ? at(row, col) : Cell{});
    }
  }
  return r;
}

void Screen::restore(const Region& r) {
  const int width = r.right - r.left + 1;
  for (size_t i = 0; i < r.cells.size() && width > 0; ++i) {
    const int row = r.top + int(i) / width;
    const int col = r.left + int(i) % width;
    if (inside(row, col)) cells_[row * kCols + col] = r.cells[i];
  }
}

std::string glyph_utf8(Glyph g) {
  std::string out;
  if (g < 0x80) {
    out.push_back(g < 0x20 ? ' ' : char(g));
  } else if (g < 0x800) {
    out.push_back(char(0xC0 | (g >> 6)));
    out.push_back(char(0x80 | (g & 0x3F)));
  } else {
    out.push_back(char(0xE0 | (g >> 12)));
    out.push_back(char(0x80 | ((g >> 6) & 0x3F)));
    out.push_back(char(0x80 | (g & 0x3F)));
  }
  return out;
}

std::string Screen::row_text(int row) const {
  std::string out;
  for (int c = 0; c < kCols; ++c) out += glyph_utf8(at(row, c).glyph);
  return out;
}

std::string Screen::row_attrs(int row) const {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (int c = 0; c < kCols; ++c) {
    out.push_back(kHex[attr_fg(at(row, c).attr)]);
    out.push_back(kHex[attr_bg(at(row, c).attr)]);
  }
  return out;
}

std::string Screen::latin1_text(int row, int col, int width) const {
  std::string out;
  for (int c = col; c < col + width; ++c) {
    const Glyph g = inside(row, c) ? at(row, c).glyph : ' ';
    out.push_back(g < 0x100 ? char(g) : '?');
  }
  return out;
}

}  // namespace kav
