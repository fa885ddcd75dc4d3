#include "shell/gauge.h"

#include <algorithm>

#include "base/begins_with.h"
#include "shell/colour.h"
#include "shell/shell_state.h"
#include "shell/window.h"

namespace kav {

namespace {

constexpr int kBarRow = 20;
constexpr int kBarCol = 10;
constexpr int kBarWidth = 50;

void draw_gauge(const std::string& caption) {
  Screen& s = screen();
  const Attr a = parse_scheme(SETCOR("CAMPOSAY")).normal;
  SOMBRA(16, 7, 21, 63);
  s.fill(16, 7, 21, 63, ' ', a);
  const std::string text = caption.empty() ? "POR FAVOR, AGUARDE O TÉRMINO DA ATUALIZAÇÃO" : caption;
  s.put(16, 37 - int(text.size() / 2), text, a);
  s.fill(17, 7, 17, 63, glyph::kHorizontal, a);
  s.put(18, 7, "    1   10   20   30  40   50   60   70   80   90   100  ", a);
  draw_frame(19, kBarCol - 1, 21, kBarCol + kBarWidth, 1, a);
  for (int c = kBarCol + 5; c < kBarCol + kBarWidth; c += 5) {
    s.put_glyph(19, c, glyph::kTeeDown, a);
    s.put_glyph(21, c, glyph::kTeeUp, a);
  }
}

}  // namespace

bool FESCALA(const std::string& mode, const std::string& caption) {
  ShellState& st = shell();
  if (begins_with(mode, "SALVA")) {
    st.gauge_cursor = screen().cursor_shape();
    screen().set_cursor_shape(CursorShape::kHidden);
    st.gauge_region = screen().save(15, 7, 22, 65);
    st.gauge_blocks = 0;
    draw_gauge(caption);
  } else if (begins_with(mode, "RESTAURA")) {
    if (!st.gauge_region.empty()) screen().restore(st.gauge_region);
    st.gauge_region = Region();
    screen().set_cursor_shape(st.gauge_cursor);
  }
  return true;
}

bool FESCALA(double percent) {
  const int blocks = std::clamp(int(percent / 2), 0, kBarWidth);
  if (blocks == shell().gauge_blocks) return true;  // long runs call this per record
  const Attr a = parse_scheme(SETCOR("ASTER")).normal;
  screen().fill(kBarRow, kBarCol, kBarRow, kBarCol + blocks - 1, glyph::kFullBlock, a);
  if (blocks < shell().gauge_blocks) {
    const Attr back = parse_scheme(SETCOR("CAMPOSAY")).normal;
    screen().fill(kBarRow, kBarCol + blocks, kBarRow, kBarCol + kBarWidth - 1, ' ', back);
  }
  shell().gauge_blocks = blocks;
  shell().console->refresh();
  return true;
}

double gauge_percent(uint64_t done, uint64_t total) {
  return total == 0 ? 0.0 : 100.0 * double(done) / double(total);
}

}  // namespace kav
