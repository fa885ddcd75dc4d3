#include "platform/message_box.h"

#include <gtest/gtest.h>

#include "base/latin1.h"
#include "platform/script_console.h"

namespace kav {
namespace {

TEST(MessageBoxTest, CentredBoxWaitsForOkAndRestores) {
  struct Case {
    const char* keys;
    size_t waits;
  } cases[] = {{"<ENTER>", 1}, {"x<ESC>", 2}, {"<CLICK:0,0><CLICK:13,37>", 2}};
  for (const Case& c : cases) {
    std::unique_ptr<ScriptConsole> console;
    ASSERT_TRUE(ScriptConsole::create(c.keys, {"", false, true}, &console).ok());
    console->screen().fill(0, 0, 24, 79, '.', 0x07);
    Keyboard kb(console.get());
    message_box(kb, std::string(70, 'M') + " fim", "KAV/SUS - Atenção");
    ASSERT_EQ(console->screens().size(), c.waits) << c.keys;
    const Screen& s = console->screens()[0];
    // Two lines of text wrapped at 60, box 68 x 8 from row 8, column 6.
    EXPECT_EQ(s.latin1_text(8, 8, 17), "KAV/SUS - Atenção");
    EXPECT_EQ(s.latin1_text(10, 11, 60), std::string(60, 'M'));
    EXPECT_EQ(s.latin1_text(11, 11, 14), "MMMMMMMMMM fim");
    EXPECT_EQ(s.latin1_text(13, 37, 6), "[ OK ]");
    EXPECT_EQ(s.at(10, 8).glyph, '?');
    EXPECT_EQ(s.at(15, 6).glyph, 0x2514);
    for (int r = 0; r < 25; ++r) EXPECT_EQ(console->screen().latin1_text(r, 0, 80), std::string(80, '.'));
  }
}

TEST(MessageBoxTest, WrapsAtBlanks) {
  EXPECT_EQ(wrap_text("aaa bbb ccc", 7), (std::vector<std::string>{"aaa bbb", "ccc"}));
  EXPECT_EQ(wrap_text("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));
  EXPECT_EQ(wrap_text("", 4), (std::vector<std::string>{""}));
}

}  // namespace
}  // namespace kav
