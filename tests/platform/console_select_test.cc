#include "platform/console_select.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/script_console.h"

namespace kav {
namespace {

TEST(ConsoleSelectTest, ScriptBackendFromTheEnvironment) {
  const std::string keys = testing::TempDir() + "/keys" + std::to_string(getpid());
  const std::string dump = testing::TempDir() + "/screens" + std::to_string(getpid());
  std::ofstream(keys) << "a<F12>";
  setenv("KAV_CONSOLE", ("script:" + keys).c_str(), 1);
  setenv("KAV_SCREEN_DUMP", dump.c_str(), 1);
  setenv("KAV_SCREEN_ATTRS", "1", 1);
  std::unique_ptr<Console> c;
  ASSERT_TRUE(open_console_from_env(&c).ok());
  ASSERT_NE(dynamic_cast<ScriptConsole*>(c.get()), nullptr);
  c->screen().put(0, 0, "KAV", make_attr(15, 1));
  EXPECT_EQ(c->read_key(-1).code, 'a');
  EXPECT_EQ(c->read_key(-1).code, key::f(12));
  std::ifstream in(dump);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str().find("=== espera 1 ===\nKAV "), 0u);
  EXPECT_NE(text.str().find("--- cores ---\nF1F1F170"), std::string::npos);
  std::remove(keys.c_str());
  std::remove(dump.c_str());
  unsetenv("KAV_SCREEN_DUMP");
  unsetenv("KAV_SCREEN_ATTRS");
}

TEST(ConsoleSelectTest, BadChoicesAreErrors) {
  for (const char* v : {"script:", "scrip:/x", "curses", "script:/nonexistent/keys"}) {
    setenv("KAV_CONSOLE", v, 1);
    std::unique_ptr<Console> c;
    EXPECT_FALSE(open_console_from_env(&c).ok()) << v;
  }
  unsetenv("KAV_CONSOLE");
}

}  // namespace
}  // namespace kav
