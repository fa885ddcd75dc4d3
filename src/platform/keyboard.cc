#include "platform/keyboard.h"

#include <cstdlib>

#include "platform/close_request.h"

namespace kav {

void Keyboard::push_text(std::string_view latin1) {
  for (char c : latin1) pushed_.push_back(static_cast<unsigned char>(c));
}

void Keyboard::end_if_asked() {
  if (!close_requested()) return;
  if (on_close_) on_close_(close_exit_code());
  std::exit(close_exit_code());
}

KeyEvent Keyboard::next(int timeout_ms, bool blocking) {
  end_if_asked();
  KeyEvent k;
  if (!pushed_.empty()) {
    k.code = pushed_.front();
    pushed_.pop_front();
  } else if (blocking) {
    console_->refresh();
    k = console_->read_key(timeout_ms);
    end_if_asked();
  } else {
    k = console_->poll_key();
  }
  if (k.code != key::kNone) last_ = k;
  return k;
}

KeyEvent Keyboard::inkey(int timeout_ms) { return next(timeout_ms, true); }

KeyEvent Keyboard::wait_key(int timeout_ms) {
  for (;;) {
    const KeyEvent k = next(timeout_ms, true);
    if (k.code == key::kNone || !run_hot_key(k)) return k;
  }
}

bool Keyboard::run_hot_key(const KeyEvent& k) {
  for (auto& [name, hot] : hot_) {
    if (hot.code != k.code || running_[name]) continue;
    const std::string running = name;
    const Handler handler = hot.handler;  // the handler may change the table
    running_[running] = true;
    const bool used = handler();
    running_[running] = false;
    return used;
  }
  return false;
}

bool Keyboard::escape_pressed() { return next(0, false).code == key::kEsc; }

void Keyboard::install_hot_key(const std::string& name, int code, Handler handler) {
  hot_[name] = HotKey{code, std::move(handler)};
}

void Keyboard::remove_hot_key(const std::string& name) { hot_.erase(name); }

Keyboard::HotKeys Keyboard::suspend_hot_keys() {
  HotKeys saved;
  saved.swap(hot_);
  return saved;
}

}  // namespace kav
