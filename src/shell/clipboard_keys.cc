#include "shell/clipboard_keys.h"

#include "base/trim.h"
#include "platform/keys.h"
#include "shell/report_list.h"
#include "shell/shell_state.h"

namespace kav {

bool ISKEYCTRL() { return keyboard().last_ctrl(); }

void CTRL_C_VAR(const std::string& text) {
  if (!text.empty()) shell().console->set_clipboard(text);
}

bool CTRL_C() {
  if (!ISKEYCTRL() || !shell().active_field_text) return false;  // PgDn: the form saves
  CTRL_C_VAR(trim(shell().active_field_text()));
  return true;
}

bool CTRL_V() {
  if (!ISKEYCTRL()) return false;  // Ins: the form toggles insert mode
  std::string text;
  for (char c : trim(shell().console->clipboard())) {
    if (static_cast<unsigned char>(c) >= ' ') text.push_back(c);  // no control keys typed
  }
  keyboard().push_text(text);
  return true;
}

void install_hot_keys() {
  keyboard().install_hot_key("VER1", key::f(12), [] {
    VER1();
    return true;
  });
  keyboard().install_hot_key("CTRL_C", key::kPgDn, CTRL_C);
  keyboard().install_hot_key("CTRL_V", key::kIns, CTRL_V);
}

}  // namespace kav
