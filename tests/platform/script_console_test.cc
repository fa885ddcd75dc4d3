#include "platform/script_console.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/latin1.h"
#include "platform/keyboard.h"

namespace kav {
namespace {

std::vector<KeyEvent> all_keys(ScriptConsole& c) {
  std::vector<KeyEvent> keys;
  while (c.keys_left() > 0) keys.push_back(c.read_key(-1));
  return keys;
}

TEST(ScriptConsoleTest, PlainTextAndNamedKeys) {
  std::unique_ptr<ScriptConsole> c;
  ASSERT_TRUE(ScriptConsole::create(latin1_to_utf8("aÇ<esc><F12><CTRL+PGDN>\n<ctrl+c><PGDN><SHIFT+F3><LT>"
                                    "<CTRL+F10><CLICK:3,7><SHIFT+TAB>"),
                                    {}, &c)
                  .ok());
  const std::vector<KeyEvent> k = all_keys(*c);
  ASSERT_EQ(k.size(), 12u);
  EXPECT_EQ(k[0].code, 'a');
  EXPECT_EQ(k[1].code, 0xC7);  // Latin-1 of Ç
  EXPECT_EQ(k[2].code, key::kEsc);
  EXPECT_EQ(k[3].code, -41);
  EXPECT_EQ(k[4].code, key::kCtrlPgDn);
  // Ctrl+C and PgDn share a code; only the Ctrl flag tells them apart.
  EXPECT_EQ(k[5].code, 3);
  EXPECT_TRUE(k[5].ctrl);
  EXPECT_EQ(k[6].code, 3);
  EXPECT_FALSE(k[6].ctrl);
  EXPECT_EQ(k[7].code, -12);
  EXPECT_EQ(k[8].code, '<');
  EXPECT_EQ(k[9].code, -29);
  EXPECT_EQ(k[10].code, key::kMouseLeft);
  EXPECT_EQ(k[10].row, 3);
  EXPECT_EQ(k[10].col, 7);
  EXPECT_EQ(k[11].code, key::kShiftTab);
}

TEST(ScriptConsoleTest, UnknownNamesAreRefused) {
  std::unique_ptr<ScriptConsole> c;
  EXPECT_FALSE(ScriptConsole::create("<F13>", {}, &c).ok());
  EXPECT_FALSE(ScriptConsole::create("<CTRL+1>", {}, &c).ok());
  EXPECT_FALSE(ScriptConsole::create("abc<ESC", {}, &c).ok());
  EXPECT_FALSE(ScriptConsole::open("/nonexistent/keys", {}, &c).ok());
}

TEST(ScriptConsoleTest, PollsTakeOnlyInterrupts) {
  std::unique_ptr<ScriptConsole> c;
  ASSERT_TRUE(ScriptConsole::create("x<INTERRUPT>", {}, &c).ok());
  EXPECT_EQ(c->poll_key().code, key::kNone);  // 'x' waits for a real read
  EXPECT_EQ(c->read_key(-1).code, 'x');
  EXPECT_EQ(c->poll_key().code, key::kEsc);
  EXPECT_EQ(c->keys_left(), 0u);
  c->set_title("KAV/SUS");
  c->tone(440, 6);
  EXPECT_EQ(c->title(), "KAV/SUS");
  EXPECT_EQ(c->tones(), 1);
}

TEST(ScriptConsoleTest, DumpsTheScreenAtEveryWait) {
  const std::string path = testing::TempDir() + "/dump" + std::to_string(getpid());
  std::unique_ptr<ScriptConsole> c;
  ASSERT_TRUE(ScriptConsole::create("ab", {path, true}, &c).ok());
  c->screen().put(0, 0, "Olá", make_attr(14, 1));
  c->read_key(-1);
  c->screen().put(1, 0, "segunda", 0x07);
  c->read_key(-1);
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  const std::string dump = text.str();
  EXPECT_EQ(dump.find("=== espera 1 ===\n" + latin1_to_utf8("Olá ")), 0u);
  EXPECT_NE(dump.find("--- cores ---\nE1E1E1"), std::string::npos);
  EXPECT_NE(dump.find("=== espera 2 ===\n" + latin1_to_utf8("Olá")), std::string::npos);
  EXPECT_NE(dump.find("\nsegunda "), std::string::npos);
  std::remove(path.c_str());
}

TEST(ScriptConsoleDeathTest, RunningOutOfKeysEndsWithAnError) {
  std::unique_ptr<ScriptConsole> c;
  ASSERT_TRUE(ScriptConsole::create("a", {}, &c).ok());
  Keyboard kb(c.get());
  kb.set_close_handler([](int code) {
    std::fputs(" closing tables", stderr);
    std::exit(code);
  });
  EXPECT_EQ(kb.inkey().code, 'a');
  EXPECT_EQ(kb.inkey(0).code, key::kNone);  // a timed wait just times out
  EXPECT_EXIT(kb.inkey(), testing::ExitedWithCode(3), "roteiro de teclas acabou.* closing tables");
}

}  // namespace
}  // namespace kav
