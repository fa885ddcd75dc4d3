#include "shell/entry_form.h"

#include <gtest/gtest.h>

#include "base/latin1.h"
#include "shell/clipboard_keys.h"
#include "shell/colour.h"
#include "toolkit_test_env.h"

namespace kav {
namespace {

using EntryFormTest = ToolkitTest;

TEST_F(EntryFormTest, MovingBetweenFields) {
  struct Case {
    const char* keys;
    const char* a;
    const char* b;
    bool saved;
  } cases[] = {
      {"abcxy<PGDN>", "abc", "xy.", true},        // typing past the end moves on
      {"<ENTER>q<UP>z<PGDN>", "z..", "q..", true},  // Enter next, Up back
      {"<DOWN><ENTER>", "...", "...", true},       // Enter on the last field saves
      {"abc<ESC>", "...", "...", false},           // Esc puts the values back
      {"ab<ENTER>cd<ESC>", "...", "...", false},
      {"abcdef", "abc", "def", true},              // past the last field
      {"<RIGHT>x<BS><BS>y<PGDN>", "y  ", "...", true},
      {"<RIGHT><DEL><PGDN>", ".. ", "...", true},
      {"<INS>xy<PGDN>", "xy.", "...", true},       // insert mode pushes right
  };
  for (const Case& c : cases) {
    start(c.keys);
    shell().insert_mode = false;
    std::string a = "...", b = "...";
    EntryForm form;
    form.text(5, 10, &a);
    form.text(6, 10, &b);
    EXPECT_EQ(form.read(), c.saved) << c.keys;
    EXPECT_EQ(a, c.a) << c.keys;
    EXPECT_EQ(b, c.b) << c.keys;
  }
}

TEST_F(EntryFormTest, InsertKeyTogglesTheCursorShape) {
  start("<INS>a<INS>b<PGDN>");
  shell().insert_mode = false;
  std::string a = "    ";
  EntryForm form;
  form.text(5, 10, &a);
  form.read();
  EXPECT_EQ(at_wait(0).cursor_shape(), CursorShape::kNormal);
  EXPECT_EQ(at_wait(1).cursor_shape(), CursorShape::kInsert);
  EXPECT_EQ(at_wait(2).cursor_shape(), CursorShape::kInsert);
  EXPECT_EQ(at_wait(3).cursor_shape(), CursorShape::kNormal);
  EXPECT_EQ(at_wait(1).cursor_col(), 10);
  EXPECT_EQ(at_wait(2).cursor_col(), 11);
}

TEST_F(EntryFormTest, PicturesAndValidation) {
  start("a1b<ENTER>x1<ENTER>abc<HOME>bom");
  std::string digits = "   ", upper = "   ", code = "   ";
  EntryForm form;
  form.text(5, 10, &digits, "999");
  form.text(6, 10, &upper, "@!");
  form.text(7, 10, &code).valid([&code] { return code != "abc"; });
  EXPECT_TRUE(form.read());
  EXPECT_EQ(digits, "1  ");  // letters refused
  EXPECT_EQ(upper, "X1 ");
  EXPECT_EQ(code, "bom");   // "abc" was refused and the operator stayed
}

TEST_F(EntryFormTest, DatesAreTypedDayFirst) {
  struct Case {
    const char* keys;
    const char* value;
  } cases[] = {
      {"07032024", "20240307"},
      {"31022024<HOME>01<ENTER>", "20240201"},  // 31/02 refused, corrected
      {"<CTRL+Y><ENTER>", "        "},            // blank is no date
  };
  for (const Case& c : cases) {
    start(c.keys);
    std::string d = "20231225";
    EntryForm form;
    form.date(5, 10, &d);
    EXPECT_TRUE(form.read()) << c.keys;
    EXPECT_EQ(d, c.value) << c.keys;
  }
  start("<ESC>");
  std::string d = "20231225";
  EntryForm form;
  form.date(5, 10, &d);
  form.read();
  EXPECT_EQ(row_at_wait(0, 5).substr(10, 10), "25/12/2023");
}

TEST_F(EntryFormTest, NumbersKeepTheirScale) {
  struct Case {
    const char* keys;
    int64_t value;
  } cases[] = {{"12,5<ENTER>", 1250}, {"<ENTER>", 4200}, {"-3<ENTER>", -300},
               {"1234567<ENTER><HOME><CTRL+Y>1<ENTER>", 100}};  // too wide for 8: refused
  for (const Case& c : cases) {
    start(c.keys);
    int64_t v = 4200;
    EntryForm form;
    form.number(5, 10, &v, 8, 2);
    EXPECT_TRUE(form.read()) << c.keys;
    EXPECT_EQ(v, c.value) << c.keys;
  }
  start("<ESC>");
  int64_t v = 4200;
  EntryForm form;
  form.number(5, 10, &v, 8, 2);
  form.read();
  EXPECT_EQ(row_at_wait(0, 5).substr(10, 8), "   42.00");
}

TEST_F(EntryFormTest, SkippedFieldsAndColours) {
  start("x<ENTER><ENTER>");
  set_colour(SETCOR("CAMPOGET"));
  std::string a = "..", b = "..", c = "..";
  EntryForm form;
  form.text(5, 10, &a);
  form.text(6, 10, &b).when([] { return false; });
  form.text(7, 10, &c);
  form.read();
  EXPECT_EQ(at_wait(0).at(5, 10).attr, make_attr(15, 3));  // active: selected
  EXPECT_EQ(at_wait(0).at(7, 10).attr, make_attr(0, 3));   // others: unselected
  EXPECT_EQ(at_wait(2).cursor_row(), 7);                    // b was skipped
}

TEST_F(EntryFormTest, ClipboardKeys) {
  start("<CTRL+C><PGDN>");
  install_hot_keys();
  std::string a = " abc ";
  EntryForm form;
  form.text(5, 10, &a);
  EXPECT_TRUE(form.read());  // Ctrl+C copies, PgDn (same code) saves
  EXPECT_EQ(console->clipboard(), "abc");

  start("<CTRL+V><PGDN>");
  install_hot_keys();
  console->set_clipboard("  xyz\r\n");
  std::string b = "     ";
  EntryForm paste;
  paste.text(5, 10, &b);
  EXPECT_TRUE(paste.read());
  EXPECT_EQ(b, "xyz  ");

  start("<INS>q<PGDN>");  // Ins without Ctrl still toggles insert mode
  install_hot_keys();
  shell().insert_mode = false;
  std::string c = "ab";
  EntryForm ins;
  ins.text(5, 10, &c);
  ins.read();
  EXPECT_EQ(c, "qa");

  CTRL_C_VAR("keep");
  CTRL_C_VAR("");
  EXPECT_EQ(console->clipboard(), "keep");  // empty text leaves it
}

TEST_F(EntryFormTest, ReadText) {
  start("procura<ENTER>");
  std::string v;
  EXPECT_TRUE(read_text(24, 20, 40, &v));
  EXPECT_EQ(v, "procura");
  start("abc<ESC>");
  EXPECT_FALSE(read_text(24, 20, 40, &v));
  EXPECT_EQ(v, "procura");
}

}  // namespace
}  // namespace kav
