#include "shell/key_help.h"

#include <algorithm>

#include "shell/colour.h"
#include "shell/dialog_guard.h"
#include "shell/shell_state.h"
#include "shell/window.h"

namespace kav {

int TELA_HELP(const std::vector<std::pair<std::string, std::string>>& keys) {
  const std::string title = "Teclas Operacionais :";
  size_t key_width = 0, text_width = 0;
  for (const auto& [k, d] : keys) {
    key_width = std::max(key_width, k.size());
    text_width = std::max(text_width, d.size());
  }
  const int inner = int(std::max(title.size(), key_width + 1 + text_width));
  const int width = inner + 4 + 2, height = int(keys.size()) + 3 + 1;  // frame, padding, shadow
  const int top = (25 - height) / 2, left = (80 - width) / 2;
  DialogGuard guard;
  const std::string saved = WINDOW(top, left, top + height - 1, left + width - 1, "w+/w", 5);
  Screen& s = screen();
  s.put(top + 1, left + 2, title, parse_pair("w+/w", 0));
  for (size_t i = 0; i < keys.size(); ++i) {
    const int row = top + 2 + int(i);
    s.put(row, left + 2, keys[i].first, parse_pair("n/w", 0));
    s.put(row, left + 3 + int(key_width), keys[i].second, parse_pair("b/w", 0));
  }
  shell().console->tone(4500, 1);
  keyboard().inkey(120 * 1000);
  RESTWINDOW(saved);
  return 1;
}

}  // namespace kav
