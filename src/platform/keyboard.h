// Keyboard of the program over the console: keys pushed by the program come
// first (as menus push Esc, Left, Enter), then the console's keys. Wait
// states (menus, lists, forms, browses) run the hot keys installed by name;
// plain waits do not.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/console.h"

namespace kav {

class Keyboard {
 public:
  // The handler answers true when it used the key, false to let the
  // waiting screen have it.
  using Handler = std::function<bool()>;
  struct HotKey {
    int code;
    Handler handler;
  };
  using HotKeys = std::map<std::string, HotKey>;

  explicit Keyboard(Console* console) : console_(console) {}

  Console& console() { return *console_; }

  void push(int code) { pushed_.push_back(code); }
  void push_text(std::string_view latin1);
  void clear() { pushed_.clear(); }
  bool has_pushed() const { return !pushed_.empty(); }

  // Next key, without hot keys; `timeout_ms` < 0 waits without limit.
  KeyEvent inkey(int timeout_ms = -1);
  // Next key of a wait state: hot keys run and their keys are consumed.
  KeyEvent wait_key(int timeout_ms = -1);
  // Non-blocking poll for long loops: true when the next key is Esc. Other
  // keys read by the poll are dropped.
  bool escape_pressed();
  // Non-blocking poll for long loops: the next key when one is waiting,
  // else key::kNone.
  KeyEvent poll() { return next(0, false); }

  // Code and Ctrl state of the last key read.
  int last_key() const { return last_.code; }
  bool last_ctrl() const { return last_.ctrl; }

  // Run with the exit status at a wait once the program is asked to end
  // (see close_request.h); it is expected not to return. Without one the
  // process exits at once.
  void set_close_handler(std::function<void(int)> h) { on_close_ = std::move(h); }

  void install_hot_key(const std::string& name, int code, Handler handler);
  void remove_hot_key(const std::string& name);
  bool has_hot_key(const std::string& name) const { return hot_.count(name) != 0; }
  // Takes every hot key out (they come back with reinstate()).
  HotKeys suspend_hot_keys();
  void reinstate_hot_keys(HotKeys keys) { hot_ = std::move(keys); }

 private:
  KeyEvent next(int timeout_ms, bool blocking);
  void end_if_asked();
  bool run_hot_key(const KeyEvent& k);

  Console* console_;
  std::deque<int> pushed_;
  HotKeys hot_;
  std::map<std::string, bool> running_;
  KeyEvent last_;
  std::function<void(int)> on_close_;
};

}  // namespace kav
