#include "admin/password_prompt.h"

#include "admin/pegasenha.h"
#include "admin/users_file.h"
#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

std::string entry(const PasswordPrompt& p, int* attempt) {
  MENSAGEM("AVISE", p.hint);
  screen().put(p.row, p.col, p.label, current_scheme().normal);
  screen().set_cursor(p.row, p.col + static_cast<int>(p.label.size()));
  return PEGASENHA(attempt);
}

}  // namespace

bool read_password(const PasswordPrompt& prompt, std::string* out) {
  int attempt = 1;
  *out = entry(prompt, &attempt);
  return keyboard().last_key() != key::kEsc;
}

bool ask_password(const PasswordPrompt& prompt, const std::string& expected,
                  const std::string& first) {
  for (int attempt = 1; attempt <= kLastPasswordAttempt; ++attempt) {
    std::string typed;
    bool escaped = false;
    if (attempt == 1 && !first.empty()) {
      typed = first;
      if (typed.size() < static_cast<size_t>(kPasswordWidth)) typed.resize(kPasswordWidth, ' ');
    } else {
      typed = entry(prompt, &attempt);
      escaped = keyboard().last_key() == key::kEsc;
    }
    if (!escaped && typed == expected) return true;
    MENSAGEM("ESPERE", attempt < kLastPasswordAttempt ? prompt.retry_message : prompt.final_message);
  }
  return false;
}

}  // namespace kav
