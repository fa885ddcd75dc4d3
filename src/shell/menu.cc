#include "shell/menu.h"

#include "base/trim.h"
#include "base/latin1.h"
#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/dialog_guard.h"
#include "shell/shell_state.h"
#include "shell/window.h"

namespace kav {

namespace {

void show_hint(const std::string& hint, Attr a) {
  screen().fill(23, 1, 23, 78, ' ', a);
  screen().put(23, 40 - int(hint.size() / 2), hint, a);
}

// The prompt after `from` (1-based, wrapping) whose label begins with `c`.
int by_letter(const std::vector<MenuPrompt>& prompts, int from, char c) {
  const int n = int(prompts.size());
  for (int step = 1; step <= n; ++step) {
    const int i = (from - 1 + step) % n;
    const std::string label = trim(prompts[i].label);
    if (!label.empty() && latin1_upper(label[0]) == latin1_upper(c)) return i + 1;
  }
  return 0;
}

}  // namespace

std::vector<MenuPrompt> MONTA_MENU(int row, int col, const std::vector<MenuItem>& items) {
  ColourGuard colour;
  set_colour(SETCOR("MENU"));
  const int n = int(items.size());
  const size_t width = n > 0 ? items[0].label.size() : 0;
  QUADRO(row + 1, col, row + n, col + int(width) - 1);
  std::vector<MenuPrompt> prompts;
  for (int i = 0; i < n; ++i) {
    std::string label = items[i].label;
    if (label.size() < width) label.resize(width, ' ');
    prompts.push_back(MenuPrompt{row + 1 + i, col, label, trim(items[i].hint)});
    screen().put(row + 1 + i, col, label, current_scheme().normal);
  }
  screen().fill(23, 1, 23, 78, ' ', current_scheme().normal);
  return prompts;
}

int menu_choice(const std::vector<MenuPrompt>& prompts, int initial) {
  if (prompts.empty()) return 0;
  DialogGuard guard;
  const Scheme sc = current_scheme();
  const int n = int(prompts.size());
  int current = initial >= 1 && initial <= n ? initial : 1;
  for (;;) {
    for (int i = 0; i < n; ++i) {
      screen().put(prompts[i].row, prompts[i].col, prompts[i].label,
                   i + 1 == current ? sc.selected : sc.normal);
    }
    show_hint(prompts[current - 1].hint, sc.normal);
    const KeyEvent k = keyboard().wait_key();
    switch (k.code) {
      case key::kUp: case key::kLeft: current = current == 1 ? n : current - 1; break;
      case key::kDown: case key::kRight: current = current == n ? 1 : current + 1; break;
      case key::kHome: current = 1; break;
      case key::kEnd: current = n; break;
      case key::kEnter: return current;
      case key::kEsc: return 0;
      case key::kMouseLeft:
        for (int i = 0; i < n; ++i) {
          const MenuPrompt& p = prompts[i];
          if (k.row == p.row && k.col >= p.col && k.col < p.col + int(p.label.size())) return i + 1;
        }
        break;
      default:
        if (k.code > ' ' && k.code < 256) {
          if (int found = by_letter(prompts, current, char(k.code))) return found;
        }
    }
  }
}

}  // namespace kav
