// A small program on the terminal backend for the tmux test: a framed box
// in colours, then the code of every key typed until Esc. When the terminal
// goes away it writes "fechado" to the file named by its argument.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/keys.h"
#include "platform/terminal_console.h"
#include "shell/shell_state.h"
#include "shell/window.h"

int main(int argc, char** argv) {
  std::unique_ptr<kav::Console> console;
  const kav::Status st = kav::open_terminal_console(&console);
  if (!st.ok()) {
    std::fprintf(stderr, "%s\n", st.message().c_str());
    return 2;
  }
  kav::attach_console(console.get());
  const std::string closed = argc > 1 ? argv[1] : "";
  kav::shell().before_quit = [closed] {
    if (FILE* f = closed.empty() ? nullptr : std::fopen(closed.c_str(), "w")) {
      std::fputs("fechado", f);
      std::fclose(f);
    }
  };
  console->set_title("KAV/SUS");
  kav::WINDOW(5, 10, 12, 50, "W+/B", 2);
  kav::screen().put(6, 12, "CAIXA DE TESTE ÇÃO", kav::make_attr(14, 1));
  kav::screen().put(7, 12, "PISCA", kav::make_attr(15, 12));
  kav::screen().put(24, 76, "FIM", kav::make_attr(7, 0));  // up to the last cell
  for (;;) {
    const kav::KeyEvent k = kav::keyboard().inkey();
    if (k.code == kav::key::kEsc) break;
    std::string text = "TECLA " + std::to_string(k.code) + (k.ctrl ? " CTRL" : "");
    text.resize(30, ' ');
    kav::screen().put(9, 12, text, kav::make_attr(15, 1));
  }
  console->shutdown();
  return 0;
}
