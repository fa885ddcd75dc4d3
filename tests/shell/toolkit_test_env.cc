#include "toolkit_test_env.h"

namespace kav {

ToolkitTest::ToolkitTest()
    : clock(DateTime{*Date::from_ymd(2024, 3, 7), 9, 5, 0}), scoped_clock(&clock) {
  start("");
}

ToolkitTest::~ToolkitTest() { shell() = ShellState(); }

void start_toolkit(const std::string& keys, MemoryColourTable* colours,
                   std::unique_ptr<ScriptConsole>* console) {
  ScriptConsole::Options options;
  options.keep_screens = true;
  ASSERT_TRUE(ScriptConsole::create(keys, options, console).ok());
  (*console)->set_exhausted_handler([] {
    ADD_FAILURE() << "script ran out of keys";
    std::exit(4);
  });
  attach_console(console->get());
  shell().colour_table = colours;
}

void ToolkitTest::start(const std::string& keys) { start_toolkit(keys, &colours, &console); }

std::string ToolkitTest::row(int r) const { return console->screen().latin1_text(r, 0, 80); }

std::string ToolkitTest::row_at_wait(size_t wait, int r) const {
  return console->screens().at(wait).latin1_text(r, 0, 80);
}

}  // namespace kav
