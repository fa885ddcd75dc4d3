// Console on a real terminal through ncursesw: Latin-1 cells shown as UTF-8,
// 16 colours with bright backgrounds where the terminal has them, keys
// decoded into the program's key codes, mouse clicks, title and clipboard
// by escape sequence. Keys many terminals cannot send or keep for
// themselves have alternatives: Alt+1 .. Alt+0 give Ctrl+F1 .. Ctrl+F10,
// Alt+PgUp and Alt+PgDn give Ctrl+PgUp and Ctrl+PgDn.
#pragma once

#include <memory>

#include "base/status.h"
#include "platform/console.h"

namespace kav {

// Takes over the terminal of standard input and output.
Status open_terminal_console(std::unique_ptr<Console>* out);

// Base64 of bytes (the clipboard escape sequence carries it).
std::string base64(std::string_view bytes);

}  // namespace kav
