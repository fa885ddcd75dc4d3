#include "shell/shell_state.h"

#include <cstdio>
#include <cstdlib>

#include "shell/dbf_colour_table.h"

namespace kav {

ShellState& shell() {
  static ShellState state;
  return state;
}

void attach_console(Console* console) {
  ShellState& s = shell();
  s = ShellState();
  s.console = console;
  s.keyboard = std::make_unique<Keyboard>(console);
  s.keyboard->set_close_handler([](int code) { quit_program(code); });
  static DbfColourTable program_folder_colours(".");
  s.colour_table = &program_folder_colours;
}

Screen& screen() { return shell().console->screen(); }
Keyboard& keyboard() { return *shell().keyboard; }

namespace {

[[noreturn]] void end_process(int code, const std::string& message, bool clear = true) {
  ShellState& s = shell();
  if (s.before_quit) {
    auto hook = std::move(s.before_quit);
    hook();
  }
  if (s.console != nullptr) {
    if (clear) {
      s.console->screen().fill(0, 0, Screen::kRows - 1, Screen::kCols - 1, ' ', make_attr(7, 0));
      s.console->screen().set_cursor(0, 0);
    }
    s.console->refresh();
    if (clear) {
      s.console->shutdown();
    } else {
      s.console->shutdown_keeping_top();
    }
  }
  std::fputs(message.c_str(), stdout);
  std::fflush(stdout);
  std::exit(code);
}

}  // namespace

void quit_program(int code) { end_process(code, ""); }

void leave_on_screen(int code) { end_process(code, "", false); }

void analyst_abort(const std::string& line) { end_process(1, "\n" + line); }

}  // namespace kav
