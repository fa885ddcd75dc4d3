// Console for tests: keys come from a script, the screen is written to a
// dump file at every wait for a key (and on demand). A script is plain text
// (UTF-8; each character is one key) with named keys in angle brackets:
// <ESC>, <ENTER>, <F12>, <CTRL+PGDN>, <SHIFT+F3>, <CTRL+C>, <LT> for '<',
// <CLICK:row,col> for a mouse click and <INTERRUPT>, an Esc that a long
// loop's poll may take. Line breaks are ignored. When the script runs out
// while the program waits for a key, the program ends with a clear error (a
// wait with a time limit times out instead).
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/status.h"
#include "platform/console.h"

namespace kav {

class ScriptConsole : public Console {
 public:
  struct Options {
    std::string dump_path;  // empty: no dumps
    bool attributes = false;
    bool keep_screens = false;  // keep a copy of the screen at every wait
  };

  // Parses `script`; an unknown name in angle brackets is an error.
  static Status create(const std::string& script, Options options,
                       std::unique_ptr<ScriptConsole>* out);
  // Reads the script from a file.
  static Status open(const std::string& script_path, Options options,
                     std::unique_ptr<ScriptConsole>* out);

  void refresh() override {}
  KeyEvent read_key(int timeout_ms) override;
  KeyEvent poll_key() override;
  void set_title(const std::string& latin1) override { title_ = latin1; }
  void tone(int hz, int ticks) override;
  // Dumps the last screen (the program's end).
  void shutdown() override { dump("fim do programa"); }

  // Writes the screen to the dump file now, under `reason`.
  void dump(const std::string& reason);
  // The screen as a dump block (rows of text, then attributes when asked).
  std::string dump_text(const std::string& reason) const;

  // Screens at the waits so far (with keep_screens).
  const std::vector<Screen>& screens() const { return screens_; }
  const std::string& title() const { return title_; }
  int tones() const { return tones_; }
  size_t keys_left() const { return keys_.size(); }
  // Called when the script has run out while the program waits; the
  // default dumps the screen, writes the error and asks the program to end
  // with status 3 (close_request.h).
  void set_exhausted_handler(std::function<void()> h) { exhausted_ = std::move(h); }

 private:
  struct ScriptKey {
    KeyEvent event;
    bool interrupt = false;
  };
  ScriptConsole(std::deque<ScriptKey> keys, Options options);

  std::deque<ScriptKey> keys_;
  Options options_;
  std::string title_;
  int tones_ = 0;
  int waits_ = 0;
  std::function<void()> exhausted_;
  std::vector<Screen> screens_;
};

}  // namespace kav
