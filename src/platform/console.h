// The console the program runs on: the screen model, the keyboard, the
// window title, tones and the clipboard. The terminal backend shows it on a
// real terminal; the script backend feeds keys from a script for tests.
#pragma once

#include <string>

#include "platform/keys.h"
#include "platform/screen.h"

namespace kav {

class Console {
 public:
  virtual ~Console() = default;

  Screen& screen() { return screen_; }
  const Screen& screen() const { return screen_; }

  // Brings the display up to date with the screen model.
  virtual void refresh() = 0;
  // Waits for a key; `timeout_ms` < 0 waits without limit. A timeout gives
  // a key with code key::kNone.
  virtual KeyEvent read_key(int timeout_ms) = 0;
  // A key when one is already waiting, else key::kNone; never blocks.
  virtual KeyEvent poll_key() = 0;
  virtual void set_title(const std::string& latin1) = 0;
  // A tone of `hz` for `ticks` eighteenths of a second (a bell on terminals).
  virtual void tone(int hz, int ticks) = 0;
  // Gives the terminal back (before the process ends or runs another
  // program in the foreground).
  virtual void shutdown() = 0;
  // Gives the terminal back leaving the rows above the cursor on it (the
  // exit screen stays visible after the program).
  virtual void shutdown_keeping_top() { shutdown(); }

  // Clipboard text (Latin-1). The internal buffer always holds the last
  // text put; backends may also hand it to the desktop.
  virtual void set_clipboard(const std::string& latin1) { clipboard_ = latin1; }
  std::string clipboard() const { return clipboard_; }

 private:
  Screen screen_;
  std::string clipboard_;
};

}  // namespace kav
