#include "admin/pegasenha.h"

#include "admin/users_file.h"
#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/shell_state.h"

namespace kav {

std::string PEGASENHA(int* attempt) {
  Screen& s = screen();
  const int row = s.cursor_row(), col = s.cursor_col();
  const Attr a = current_scheme().normal;
  s.put(row, col, std::string(kPasswordWidth, ' '), a);
  std::string typed;
  while (typed.size() < static_cast<size_t>(kPasswordWidth)) {
    s.set_cursor(row, col + static_cast<int>(typed.size()));
    const int code = keyboard().inkey().code;
    if (code == key::kEnter) break;
    if (code == key::kEsc) {
      *attempt = kLastPasswordAttempt;
      return std::string(kPasswordWidth, ' ');
    }
    if (code < 48 || code > 180) continue;
    s.put(row, col + static_cast<int>(typed.size()), "*", a);
    typed += static_cast<char>(code);
    shell().console->tone(5000, 1);
  }
  typed.resize(kPasswordWidth, ' ');
  return typed;
}

}  // namespace kav
