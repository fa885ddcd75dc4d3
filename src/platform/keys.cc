#include "platform/keys.h"

#include <string>

#include "base/latin1.h"

namespace kav {

namespace {

struct Named {
  const char* name;
  int code;
  bool ctrl;
};

constexpr Named kNamed[] = {
    {"ESC", key::kEsc, false},         {"ENTER", key::kEnter, false},
    {"TAB", key::kTab, false},         {"SHIFT+TAB", key::kShiftTab, false},
    {"BS", key::kBackspace, false},    {"BACKSPACE", key::kBackspace, false},
    {"UP", key::kUp, false},           {"DOWN", key::kDown, false},
    {"LEFT", key::kLeft, false},       {"RIGHT", key::kRight, false},
    {"HOME", key::kHome, false},       {"END", key::kEnd, false},
    {"PGUP", key::kPgUp, false},       {"PGDN", key::kPgDn, false},
    {"INS", key::kIns, false},         {"DEL", key::kDel, false},
    {"SPACE", key::kSpace, false},     {"LT", '<', false},
    {"CTRL+PGUP", key::kCtrlPgUp, true}, {"CTRL+PGDN", key::kCtrlPgDn, true},
    {"CTRL+HOME", key::kCtrlHome, true}, {"CTRL+END", key::kCtrlEnd, true},
    {"CTRL+LEFT", key::kCtrlLeft, true}, {"CTRL+RIGHT", key::kCtrlRight, true},
};

// "F7" -> 7, else 0.
int function_number(std::string_view s) {
  if (s.size() < 2 || s.size() > 3 || s[0] != 'F') return 0;
  int n = 0;
  for (char c : s.substr(1)) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n >= 1 && n <= 12 ? n : 0;
}

}  // namespace

std::optional<KeyEvent> named_key(std::string_view name) {
  const std::string up = latin1_upper(name);
  for (const Named& n : kNamed) {
    if (up == n.name) return KeyEvent{n.code, n.ctrl};
  }
  struct Modifier {
    std::string_view prefix;
    int (*code)(int);
    bool ctrl;
  };
  const Modifier mods[] = {{"", key::f, false},
                           {"SHIFT+", key::shift_f, false},
                           {"CTRL+", key::ctrl_f, true},
                           {"ALT+", key::alt_f, false}};
  for (const Modifier& m : mods) {
    std::string_view rest(up);
    if (rest.substr(0, m.prefix.size()) != m.prefix) continue;
    if (int n = function_number(rest.substr(m.prefix.size()))) return KeyEvent{m.code(n), m.ctrl};
  }
  if (up.size() == 6 && up.compare(0, 5, "CTRL+") == 0 && up[5] >= 'A' && up[5] <= 'Z') {
    return KeyEvent{key::ctrl(up[5]), true};
  }
  return std::nullopt;
}

}  // namespace kav
