#include "platform/message_box.h"

#include <algorithm>

namespace kav {

namespace {

constexpr Attr kBox = make_attr(0, 7);
constexpr Attr kTitle = make_attr(15, 1);
constexpr Attr kButton = make_attr(15, 1);
constexpr size_t kTextWidth = 60;

void frame(Screen& s, int top, int left, int bottom, int right, Attr a) {
  for (int c = left + 1; c < right; ++c) {
    s.put_glyph(top, c, glyph::kHorizontal, a);
    s.put_glyph(bottom, c, glyph::kHorizontal, a);
  }
  for (int r = top + 1; r < bottom; ++r) {
    s.put_glyph(r, left, glyph::kVertical, a);
    s.put_glyph(r, right, glyph::kVertical, a);
  }
  s.put_glyph(top, left, 0x250C, a);
  s.put_glyph(top, right, 0x2510, a);
  s.put_glyph(bottom, left, 0x2514, a);
  s.put_glyph(bottom, right, 0x2518, a);
}

}  // namespace

std::vector<std::string> wrap_text(const std::string& text, size_t width) {
  std::vector<std::string> lines;
  std::string rest = text;
  while (rest.size() > width) {
    size_t cut = rest.rfind(' ', width);
    if (cut == std::string::npos || cut == 0) cut = width;
    lines.push_back(rest.substr(0, cut));
    rest = rest.substr(rest[cut] == ' ' ? cut + 1 : cut);
  }
  lines.push_back(rest);
  return lines;
}

void message_box(Keyboard& keyboard, const std::string& text, const std::string& title) {
  Screen& s = keyboard.console().screen();
  const std::vector<std::string> lines = wrap_text(text, kTextWidth);
  size_t w = title.size() + 2;
  for (const std::string& l : lines) w = std::max(w, l.size() + 4);
  const int width = int(w) + 4, height = int(lines.size()) + 6;
  const int top = (Screen::kRows - height) / 2, left = (Screen::kCols - width) / 2;
  const int bottom = top + height - 1, right = left + width - 1;
  const Region saved = s.save(top, left, bottom, right);
  const CursorShape shape = s.cursor_shape();
  s.fill(top, left, bottom, right, ' ', kBox);
  frame(s, top, left, bottom, right, kBox);
  s.fill(top, left + 1, top, right - 1, ' ', kTitle);
  s.put(top, left + 2, title, kTitle);
  s.put(top + 2, left + 2, "?", make_attr(15, 1));
  for (size_t i = 0; i < lines.size(); ++i) s.put(top + 2 + int(i), left + 5, lines[i], kBox);
  const int button_col = left + (width - 6) / 2;
  s.put(bottom - 2, button_col, "[ OK ]", kButton);
  s.set_cursor_shape(CursorShape::kHidden);
  for (;;) {
    const KeyEvent k = keyboard.inkey();
    if (k.code == key::kEnter || k.code == key::kSpace || k.code == key::kEsc) break;
    if (k.code == key::kMouseLeft && k.row == bottom - 2 && k.col >= button_col &&
        k.col < button_col + 6) {
      break;
    }
  }
  s.restore(saved);
  s.set_cursor_shape(shape);
}

}  // namespace kav
