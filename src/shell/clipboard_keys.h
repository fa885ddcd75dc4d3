// The clipboard keys. Ctrl+C shares its key code with PgDn and Ctrl+V with
// Ins; the handlers tell them apart by the Ctrl state of the key.
#pragma once

#include <string>

namespace kav {

// Ctrl held: the key came with the Ctrl modifier.
bool ISKEYCTRL();
// Puts `text` on the clipboard unless it is empty.
void CTRL_C_VAR(const std::string& text);
// Hot-key handlers; each answers whether it used the key (otherwise the
// waiting screen gets PgDn or Ins).
bool CTRL_C();
bool CTRL_V();

// Installs the program-wide hot keys F12 (report files), Ctrl+C, Ctrl+V.
void install_hot_keys();

}  // namespace kav
