// Key expressions: the pieces, the functions and malformed texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "xbase/key_expr.h"

namespace kav::xbase {
namespace {

std::vector<Field> layout() {
  // Record: flag, A C 4, B C 3, N N 6 2, Q N 4 0
  return {{{"A", 'C', 4, 0}, 1}, {{"B", 'C', 3, 0}, 5}, {{"N", 'N', 6, 2}, 8}, {{"Q", 'N', 4, 0}, 14}};
}

TEST(KeyExpr, BuildsKeysFromRecordBytes) {
  const char record[] = " abcdXYZ  1.50  -7";
  struct Case {
    const char* expr;
    const char* key;
  } cases[] = {
      {"A", "abcd"},
      {"a + b", "abcdXYZ"},
      {"B+A", "XYZabcd"},
      {"SUBSTR(A, 2, 2)", "bc"},
      {"substr( a, 3, 4) + B", "cd  XYZ"},  // past the field's end: blanks
      {"STRZERO(N, 5, 0)", "00002"},         // 1.50 rounds to 2
      {"STRZERO(Q,4,0)", "-007"},
      {"X->A", "abcd"},
  };
  for (const Case& c : cases) {
    KeyExpr k;
    Status st = KeyExpr::Parse(c.expr, layout(), &k);
    ASSERT_TRUE(st.ok()) << c.expr << ": " << st.message();
    EXPECT_EQ(k.Eval(record), c.key) << c.expr;
    EXPECT_EQ(k.length(), static_cast<int>(std::string(c.key).size())) << c.expr;
  }
}

TEST(KeyExpr, RefusesMalformedExpressions) {
  for (const char* bad : {"", "C", "A +", "A + + B", "SUBSTR(A, 0, 2)", "SUBSTR(A, 1)", "STRZERO(A, 4, 0)",
                          "STRZERO(Q, 4, 1)", "UPPER(A)", "A B", "(A)"}) {
    KeyExpr k;
    EXPECT_FALSE(KeyExpr::Parse(bad, layout(), &k).ok()) << bad;
  }
}

TEST(KeyExpr, SingleNumericFieldIsANumericKey) {
  KeyExpr k;
  ASSERT_TRUE(KeyExpr::Parse("N", layout(), &k).ok());
  EXPECT_TRUE(k.numeric());
  EXPECT_EQ(k.decimals(), 2);
  ASSERT_TRUE(KeyExpr::Parse("STRZERO(N,6,0)", layout(), &k).ok());
  EXPECT_FALSE(k.numeric());
}

TEST(KeyExpr, NumericKeysSortByValue) {
  const std::vector<std::string> texts = {"  -40", "   -4", " -0.5", "    0", "    3", "   12"};
  std::vector<std::string> keys;
  for (const std::string& t : texts) keys.push_back(numeric_key(t));
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  EXPECT_EQ(numeric_key("   12"), "00012");
  EXPECT_EQ(numeric_key("  -40"), ",,,(,");
}

TEST(KeyExpr, StrzeroThatDoesNotFitIsAsterisks) {
  char out[3];
  strzero("12345", 3, out);
  EXPECT_EQ(std::string(out, 3), "***");
}

}  // namespace
}  // namespace kav::xbase
