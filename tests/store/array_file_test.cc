// The array file: the exact bytes written, and reading back what was
// written, damaged files and elements of unknown type.
#include "store/array_file.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

const ArrayList kSample = {
    ArrayItem::List({ArrayItem::Text("0102030405"), ArrayItem::Text("IIII")}),
    ArrayItem::Logical(true),
    ArrayItem::Number(42),
    ArrayItem{'D', "20260311", {}},
    ArrayItem::Text(std::string("\0\xE7", 2)),
    ArrayItem::List({}),
};
const std::string kSampleBytes = std::string("A   6A   2C   100102030405C    4IIII") + "LT" +
                                 "N10        42" + "D20260311" + "C    2" +
                                 std::string("\0\xE7", 2) + "A   0";

TEST(ArrayFileTest, EncodesEveryTypeExactly) {
  std::string out;
  ASSERT_TRUE(encode_array(kSample, &out).ok());
  EXPECT_EQ(out, kSampleBytes);
  ArrayList back;
  ASSERT_TRUE(decode_array(out, &back).ok());
  EXPECT_EQ(back, kSample);
}

TEST(ArrayFileTest, CutShortGivesTheElementsReadAndAnError) {
  ArrayList back;
  // Cut inside the number: the list and the logical survive.
  EXPECT_TRUE(decode_array(kSampleBytes.substr(0, 40), &back).is_corrupt());
  EXPECT_EQ(back, (ArrayList{kSample[0], kSample[1]}));
  // Cut inside the nested list: what it held so far is kept.
  EXPECT_TRUE(decode_array(kSampleBytes.substr(0, 28), &back).is_corrupt());
  EXPECT_EQ(back, ArrayList{ArrayItem::List({ArrayItem::Text("0102030405")})});
  EXPECT_TRUE(decode_array("", &back).is_corrupt());
  EXPECT_TRUE(back.empty());
  EXPECT_TRUE(decode_array("X   1LT", &back).is_corrupt());
}

TEST(ArrayFileTest, UnknownTypeIsSkippedWithoutData) {
  ArrayList back;
  ASSERT_TRUE(decode_array("A   3LTQC    2ok", &back).ok());
  EXPECT_EQ(back, (ArrayList{ArrayItem::Logical(true), ArrayItem::Text("ok")}));
}

TEST(ArrayFileTest, SavesAndRestoresThroughTheFile) {
  std::string path = ::testing::TempDir() + "/kav_array_test.DBI";
  ASSERT_TRUE(SAVEARRAY(kSample, path).ok());
  ArrayList back;
  ASSERT_TRUE(RESTARRAY(path, &back).ok());
  EXPECT_EQ(back, kSample);
  std::remove(path.c_str());
  EXPECT_TRUE(RESTARRAY(path, &back).is_not_found());
}

}  // namespace
}  // namespace kav
