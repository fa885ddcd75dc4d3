// Key codes of the console. They follow the classic DOS keyboard codes the
// screens were written against: control keys share codes with Ctrl+letters
// (PgDn is 3 like Ctrl+C, Ins is 22 like Ctrl+V); the key decoder tells them
// apart with the Ctrl flag of the key event.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kav::key {

constexpr int kNone = 0;
constexpr int kHome = 1;
constexpr int kCtrlRight = 2;
constexpr int kPgDn = 3;
constexpr int kRight = 4;
constexpr int kUp = 5;
constexpr int kEnd = 6;
constexpr int kDel = 7;
constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kPgUp = 18;
constexpr int kLeft = 19;
constexpr int kIns = 22;
constexpr int kCtrlEnd = 23;
constexpr int kDown = 24;
constexpr int kCtrlLeft = 26;
constexpr int kEsc = 27;
constexpr int kCtrlHome = 29;
constexpr int kCtrlPgDn = 30;
constexpr int kCtrlPgUp = 31;
constexpr int kSpace = 32;
constexpr int kShiftTab = 271;
constexpr int kMouseLeft = 1002;

// Ctrl+A .. Ctrl+Z are 1 .. 26.
constexpr int ctrl(char letter) { return letter - 'A' + 1; }

// F1-F12 alone and with Shift, Ctrl or Alt.
constexpr int f(int n) { return n == 1 ? 28 : n <= 10 ? 1 - n : n == 11 ? -40 : -41; }
constexpr int shift_f(int n) { return n <= 10 ? -9 - n : n == 11 ? -42 : -43; }
constexpr int ctrl_f(int n) { return n <= 10 ? -19 - n : n == 11 ? -44 : -45; }
constexpr int alt_f(int n) { return n <= 10 ? -29 - n : n == 11 ? -46 : -47; }

}  // namespace kav::key

namespace kav {

// One key press as the console delivers it.
struct KeyEvent {
  int code = key::kNone;
  bool ctrl = false;  // the Ctrl key was held
  int row = -1;       // screen cell of a mouse click
  int col = -1;
};

// Named keys as scripts and documentation write them ("ESC", "F12",
// "CTRL+PGDN", "CTRL+A", "SHIFT+F3"); case is ignored.
std::optional<KeyEvent> named_key(std::string_view name);

}  // namespace kav
