#include "shell/pick_list.h"

#include <algorithm>

#include "base/latin1.h"
#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/dialog_guard.h"
#include "shell/message.h"
#include "shell/scroll_bar.h"
#include "shell/shell_state.h"
#include "shell/window.h"

namespace kav {

namespace {

struct Outcome {
  bool abandoned = true;
  int chosen = -1;  // single choice
  std::vector<std::string> marked;
};

bool markable(const std::string& item) { return !item.empty() && (item[0] == ' ' || item[0] == '>'); }

// Index of the next item after `from` (wrapping) whose text, past the
// marker of a multiple choice, begins with `c`; -1 when none.
int next_by_letter(const std::vector<std::string>& items, int from, char c, bool multi) {
  const int n = int(items.size());
  for (int step = 1; step <= n; ++step) {
    const int i = (from + step) % n;
    const std::string& s = items[i];
    const size_t at = multi ? 1 : 0;
    if (s.size() > at && latin1_upper(s[at]) == latin1_upper(c)) return i;
  }
  return -1;
}

Outcome run_list(int top, int left, int bottom, int right, std::vector<std::string> items,
                 bool multi, const std::string& title, const std::string& hint) {
  Outcome out;
  if (items.empty()) return out;
  for (std::string& s : items) {
    if (multi) s = " " + s;
  }
  const int n = int(items.size());
  if (bottom - top - 1 >= n) bottom = top + n + 1;
  bottom = std::max(bottom, top + 2);  // at least one row inside the frame
  const Scheme sc = current_scheme();
  Screen& scr = screen();
  SOMBRA(top, left, bottom, right);
  scr.fill(top, left, bottom, right, ' ', sc.normal);
  draw_frame(top, left, bottom, right, 2, sc.normal);
  if (!title.empty()) {
    const int width = right - left + 1;
    scr.put(top, left + std::max(0, (width - int(title.size())) / 2), title, sc.normal);
  }
  ScrollBar bar(top, bottom, right, parse_pair("W/B", 0));
  bar.draw_track();
  MENSAGEM("AVISE", !hint.empty() ? hint
                    : multi     ? "<enter> marca - <F5> processa - <ESC> sai"
                                : "<enter> processa - <ESC> sai");
  const int rows = bottom - top - 1, width = right - left - 1;
  int current = 0, first = 0;
  for (;;) {
    first = std::clamp(first, std::max(0, current - rows + 1), current);
    for (int r = 0; r < rows; ++r) {
      const int i = first + r;
      std::string text = i < n ? items[i] : "";
      text.resize(std::max(width, 0), ' ');
      scr.put(top + 1 + r, left + 1, text, i == current ? sc.selected : sc.normal);
    }
    bar.update(current + 1, n);
    KeyEvent k = keyboard().wait_key();
    if (k.code == key::kMouseLeft) {  // a click on an item acts as Enter on it
      const int i = first + k.row - top - 1;
      if (k.row <= top || k.row >= bottom || k.col <= left || k.col >= right || i >= n) continue;
      current = i;
      k.code = key::kEnter;
    }
    switch (k.code) {
      case key::kUp: current = std::max(0, current - 1); break;
      case key::kDown: current = std::min(n - 1, current + 1); break;
      case key::kPgUp: current = std::max(0, current - rows); break;
      case key::kPgDn: current = std::min(n - 1, current + rows); break;
      case key::kHome: case key::kCtrlPgUp: current = 0; break;
      case key::kEnd: case key::kCtrlPgDn: current = n - 1; break;
      case key::kEsc: return out;
      case key::kEnter:
        if (markable(items[current])) {
          items[current][0] = items[current][0] == '>' ? ' ' : '>';
          break;
        }
        out.abandoned = false;
        out.chosen = current;
        return out;
      default:
        if (k.code == key::f(5)) {
          out.abandoned = false;
          for (const std::string& s : items) {
            if (multi && s[0] == '>') out.marked.push_back(s.substr(1));
          }
          return out;
        }
        if (k.code > ' ' && k.code < 256) {
          const int found = next_by_letter(items, current, char(k.code), multi);
          if (found >= 0) current = found;
        }
    }
  }
}

}  // namespace

bool APOP(int top, int left, int bottom, int right, const std::vector<std::string>& items,
          std::string& result, bool multi, const std::string& title, const std::string& hint,
          bool restore) {
  DialogGuard guard;
  const Region saved = screen().save_all();
  const Outcome out = run_list(top, left, bottom, right, items, multi, title, hint);
  result.clear();
  if (multi) {
    for (std::string s : out.marked) {
      s.resize(std::min<size_t>(s.size(), 12));
      result += std::string(12 - s.size(), ' ') + s;
    }
  } else if (out.chosen >= 0) {
    result = items[out.chosen];
  }
  if (restore) screen().restore(saved);
  return true;
}

bool APOP2(int top, int left, int bottom, int right, const std::vector<std::string>& items,
           std::vector<std::string>& result, bool multi, const std::string& title,
           const std::string& hint) {
  DialogGuard guard;
  const Region saved = screen().save_all();
  const Outcome out = run_list(top, left, bottom, right, items, multi, title, hint);
  result = multi ? out.marked : std::vector<std::string>();
  if (!multi && out.chosen >= 0) result.push_back(items[out.chosen]);
  screen().restore(saved);
  return true;
}

}  // namespace kav
