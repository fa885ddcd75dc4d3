// The 80 x 25 text screen as the program sees it: every cell holds a glyph
// and a colour attribute, plus the cursor. Backends show this model; dialogs
// save and restore regions of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// Glyph of a cell: a Unicode code point of the Basic Multilingual Plane.
// Text written by the program is Latin-1, whose bytes are the code points
// U+0000-U+00FF; frames, blocks and shades use their own code points.
using Glyph = char16_t;

namespace glyph {
constexpr Glyph kFullBlock = 0x2588;
constexpr Glyph kUpperHalf = 0x2580;
constexpr Glyph kLowerHalf = 0x2584;
constexpr Glyph kLightShade = 0x2591;
constexpr Glyph kDarkShade = 0x2593;
constexpr Glyph kArrowLeft = 0x2190;
constexpr Glyph kArrowUp = 0x2191;
constexpr Glyph kArrowRight = 0x2192;
constexpr Glyph kArrowDown = 0x2193;
constexpr Glyph kHorizontal = 0x2500;
constexpr Glyph kVertical = 0x2502;
constexpr Glyph kTeeDown = 0x252C;
constexpr Glyph kTeeUp = 0x2534;
constexpr Glyph kCross = 0x253C;
}  // namespace glyph

// Colour attribute: foreground in the low four bits, background in the high
// four, in the DOS order (0 black, 1 blue, 2 green, 3 cyan, 4 red,
// 5 magenta, 6 brown, 7 white; +8 bright). Backgrounds may be bright.
using Attr = uint8_t;
constexpr Attr make_attr(int fg, int bg) { return Attr((fg & 15) | ((bg & 15) << 4)); }
constexpr int attr_fg(Attr a) { return a & 15; }
constexpr int attr_bg(Attr a) { return a >> 4; }

struct Cell {
  Glyph glyph = ' ';
  Attr attr = make_attr(7, 0);
  bool operator==(const Cell&) const = default;
};

enum class CursorShape { kHidden, kNormal, kInsert };

// A saved rectangle of cells (inclusive corners).
struct Region {
  int top = 0, left = 0, bottom = -1, right = -1;
  std::vector<Cell> cells;

  bool empty() const { return cells.empty(); }
  // Byte form of the cells (three bytes a cell), for callers that keep a
  // saved screen as text.
  std::string bytes() const;
  static Region from_bytes(int top, int left, int bottom, int right, std::string_view b);
};

class Screen {
 public:
  static constexpr int kRows = 25;
  static constexpr int kCols = 80;

  Screen();

  const Cell& at(int row, int col) const { return cells_[row * kCols + col]; }
  static bool inside(int row, int col) { return row >= 0 && row < kRows && col >= 0 && col < kCols; }

  // Writes Latin-1 text from (row, col); what falls outside the screen is
  // dropped.
  void put(int row, int col, std::string_view latin1, Attr attr);
  void put_glyph(int row, int col, Glyph g, Attr attr);
  // Changes the attribute of a cell, keeping its glyph.
  void set_attr(int row, int col, Attr attr);
  // Fills the rectangle (clipped to the screen).
  void fill(int top, int left, int bottom, int right, Glyph g, Attr attr);

  Region save(int top, int left, int bottom, int right) const;
  Region save_all() const { return save(0, 0, kRows - 1, kCols - 1); }
  void restore(const Region& r);

  void set_cursor(int row, int col) { cursor_row_ = row; cursor_col_ = col; }
  int cursor_row() const { return cursor_row_; }
  int cursor_col() const { return cursor_col_; }
  void set_cursor_shape(CursorShape s) { shape_ = s; }
  CursorShape cursor_shape() const { return shape_; }

  // One row as UTF-8 text (80 glyphs).
  std::string row_text(int row) const;
  // One row of attributes: two hex digits a cell, foreground then background.
  std::string row_attrs(int row) const;
  // The text of a rectangle of one row as Latin-1 (other glyphs become '?').
  std::string latin1_text(int row, int col, int width) const;

 private:
  std::vector<Cell> cells_;
  int cursor_row_ = 0;
  int cursor_col_ = 0;
  CursorShape shape_ = CursorShape::kNormal;
};

// UTF-8 form of one glyph.
std::string glyph_utf8(Glyph g);

}  // namespace kav
