#include "platform/keyboard.h"

#include <gtest/gtest.h>

#include "platform/close_request.h"
#include "platform/script_console.h"

namespace kav {
namespace {

std::unique_ptr<ScriptConsole> script(const std::string& keys) {
  std::unique_ptr<ScriptConsole> c;
  EXPECT_TRUE(ScriptConsole::create(keys, {}, &c).ok());
  return c;
}

TEST(KeyboardTest, PushedKeysComeFirst) {
  auto c = script("z");
  Keyboard kb(c.get());
  kb.push(key::kEsc);
  kb.push_text("ok");
  EXPECT_EQ(kb.inkey().code, key::kEsc);
  EXPECT_EQ(kb.inkey().code, 'o');
  EXPECT_EQ(kb.inkey().code, 'k');
  EXPECT_EQ(kb.inkey().code, 'z');
}

TEST(KeyboardTest, HotKeysRunInWaitStatesOnly) {
  auto c = script("<F12>x<F12><CTRL+C>y");
  Keyboard kb(c.get());
  int runs = 0;
  kb.install_hot_key("VER1", key::f(12), [&] { ++runs; return true; });
  // The copy key lets the waiting screen have PgDn (no Ctrl held).
  kb.install_hot_key("CTRL_C", key::kPgDn, [&] { return kb.last_ctrl(); });
  EXPECT_EQ(kb.wait_key().code, 'x');
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(kb.inkey().code, key::f(12));  // plain reads do not run them
  EXPECT_EQ(kb.wait_key().code, 'y');     // Ctrl+C was used by its handler
  EXPECT_EQ(runs, 1);
}

TEST(KeyboardTest, SuspendedHotKeysComeBack) {
  auto c = script("<F12><F12>q");
  Keyboard kb(c.get());
  int runs = 0;
  kb.install_hot_key("VER1", key::f(12), [&] { ++runs; return true; });
  Keyboard::HotKeys saved = kb.suspend_hot_keys();
  EXPECT_FALSE(kb.has_hot_key("VER1"));
  EXPECT_EQ(kb.wait_key().code, key::f(12));
  EXPECT_EQ(runs, 0);
  kb.reinstate_hot_keys(std::move(saved));
  EXPECT_EQ(kb.wait_key().code, 'q');
  EXPECT_EQ(runs, 1);
}

TEST(KeyboardTest, HotKeyDoesNotRunInsideItself) {
  auto c = script("<F12><F12>a");
  Keyboard kb(c.get());
  std::vector<int> seen;
  kb.install_hot_key("VER1", key::f(12), [&] {
    seen.push_back(kb.wait_key().code);  // the inner F12 reaches the handler
    return true;
  });
  EXPECT_EQ(kb.wait_key().code, 'a');
  EXPECT_EQ(seen, std::vector<int>{key::f(12)});
}

TEST(KeyboardTest, EscapePollDropsOtherKeys) {
  auto c = script("<INTERRUPT>");
  Keyboard kb(c.get());
  kb.push('a');
  EXPECT_FALSE(kb.escape_pressed());
  EXPECT_TRUE(kb.escape_pressed());
  EXPECT_FALSE(kb.escape_pressed());
}

TEST(KeyboardDeathTest, CloseRequestReachesTheProgramAtItsNextWait) {
  auto c = script("a");
  Keyboard kb(c.get());
  kb.set_close_handler([](int code) {
    std::fputs("closing tables", stderr);
    std::exit(code);
  });
  EXPECT_EQ(kb.inkey().code, 'a');
  EXPECT_EXIT(
      {
        request_close(5);
        kb.inkey();
      },
      testing::ExitedWithCode(5), "closing tables");
}

}  // namespace
}  // namespace kav
