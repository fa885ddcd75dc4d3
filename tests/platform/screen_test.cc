#include "platform/screen.h"

#include <gtest/gtest.h>

#include "base/latin1.h"

namespace kav {
namespace {

TEST(ScreenTest, LatinTextBecomesUtf8AndIsClippedAtTheEdge) {
  Screen s;
  s.put(0, 76, "Ação!", make_attr(15, 1));  // five bytes, one falls off
  EXPECT_EQ(s.latin1_text(0, 76, 4), "Ação");
  EXPECT_EQ(s.row_text(0).substr(76), latin1_to_utf8("Ação"));
  EXPECT_EQ(s.at(0, 77).glyph, 0xE7);
  EXPECT_EQ(attr_fg(s.at(0, 79).attr), 15);
  EXPECT_EQ(attr_bg(s.at(0, 79).attr), 1);
  s.put(-1, 0, "x", 0);  // outside: nothing happens
  s.put(24, -2, "abc", 0);
  EXPECT_EQ(s.at(24, 0).glyph, 'c');
}

TEST(ScreenTest, RegionsSurviveTheirByteForm) {
  Screen s;
  s.fill(2, 3, 4, 8, 0x2550, make_attr(14, 12));
  s.put(3, 4, "\xC9", make_attr(1, 2));
  const Region saved = s.save(2, 3, 4, 8);
  const Region back = Region::from_bytes(2, 3, 4, 8, saved.bytes());
  s.fill(0, 0, 24, 79, ' ', 0);
  s.restore(back);
  EXPECT_EQ(s.at(2, 3).glyph, 0x2550);
  EXPECT_EQ(s.at(3, 4).glyph, 0xC9);
  EXPECT_EQ(s.at(3, 4).attr, make_attr(1, 2));
  EXPECT_EQ(s.at(4, 8).attr, make_attr(14, 12));
  EXPECT_EQ(s.at(4, 9).glyph, ' ');
}

TEST(ScreenTest, AttributeRowsAreHexPairs) {
  Screen s;
  s.put(5, 0, "A", make_attr(14, 9));
  EXPECT_EQ(s.row_attrs(5).substr(0, 4), "E970");
}

}  // namespace
}  // namespace kav
