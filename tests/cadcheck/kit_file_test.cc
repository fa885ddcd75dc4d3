#include <gtest/gtest.h>

#include "temp_dir.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cadcheck/check_sum.h"
#include "cadcheck/kit_file.h"
#include "cadcheck/text_cipher.h"

namespace kav::cadcheck {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

TEST(CheckSum, TrimsTheEndsAndCountsInnerBlanksAsOne) {
  struct Case { std::string text; uint64_t sum; } cases[] = {
      {"", 0}, {" \t\r\n", 0}, {"A", 65}, {"  A  ", 65}, {"A B", 65 + 1 + 66},
      {"A\tB", 132}, {"A\0B"s, 132}, {"\0A\x01"s, 65}, {"\xE9", 0xE9}, {"A  \x1F B", 135},
  };
  for (const auto& c : cases) EXPECT_EQ(check_sum(c.text), c.sum) << c.text;
}

TEST(CheckSum, PiecesSumLikeTheWholeText) {
  std::string text = "  AB  C \t D  ";
  for (size_t cut1 = 0; cut1 <= text.size(); ++cut1) {
    for (size_t cut2 = cut1; cut2 <= text.size(); ++cut2) {
      CheckSum sum;
      sum.Add(text.substr(0, cut1));
      sum.Add(text.substr(cut1, cut2 - cut1));
      sum.Add(text.substr(cut2));
      EXPECT_EQ(sum.value(), check_sum(text)) << cut1 << " " << cut2;
    }
  }
}

class Recorder : public LineSink {
 public:
  void Piece(std::string_view piece) override { current_ += piece; }
  bool End() override {
    lines_.push_back(current_);
    current_.clear();
    return true;
  }
  std::vector<std::string> lines_;
  std::string current_;
};

class TempDir : public ::testing::Test {
 protected:
  kav::TempDir tmp_;

  std::string Write(const std::string& name, const std::string& content) {
    std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  fs::path dir_{tmp_.path()};
};

using LineReaderTest = TempDir;

TEST_F(LineReaderTest, SplitsAtLfDroppingOneCrBeforeIt) {
  struct Case { std::string content; std::vector<std::string> lines; } cases[] = {
      {"", {}},
      {"\n", {""}},
      {"a", {"a"}},
      {"a\nb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\r\n", {"a\r"}},
      {"a\rb\n\r", {"a\rb", "\r"}},
      {"\n\n", {"", ""}},
      {"\r\n\r\nx\r", {"", "", "x\r"}},
  };
  for (const auto& c : cases) {
    std::string path = Write("lines.txt", c.content);
    for (size_t buffer : {1, 2, 3, 1024}) {
      FILE* f = std::fopen(path.c_str(), "rb");
      Recorder rec;
      ASSERT_TRUE(read_lines(fileno(f), &rec, buffer));
      std::fclose(f);
      EXPECT_EQ(rec.lines_, c.lines) << c.content << " / buffer " << buffer;
    }
  }
}

// Writes a kit whose lines carry valid chained trailers, the way the
// registry makes it.
std::string make_kit(const std::vector<std::string>& bodies, const std::string& eol) {
  std::string chain = first_chain_value(bodies.size()), kit;
  uint32_t clock = 1000;
  for (const auto& body : bodies) {
    std::string trailer = encipher_text(trailer_plain_text(body, chain), {clock, clock + 1});
    ++clock;
    kit += body + trailer + eol;
    chain = trailer;
  }
  return kit;
}

using KitFileTest = TempDir;

TEST_F(KitFileTest, ValidKitsPassInEveryLineEndAndBufferSize) {
  std::vector<std::string> bodies = {"HEADER 202601", "  1234567 HOSPITAL   ", "", "\xC7\xC3O",
                                     std::string(3000, 'x') + " y"};
  for (std::string eol : {"\n", "\r\n"}) {
    std::string kit = make_kit(bodies, eol);
    std::string path = Write("kit.txt", kit);
    for (size_t buffer : {1, 7, 25, 100000}) {
      EXPECT_TRUE(kit_file_passes(path, buffer)) << buffer;
    }
    EXPECT_TRUE(kit_file_passes(Write("noeol.txt", kit.substr(0, kit.size() - eol.size()))));
  }
}

TEST_F(KitFileTest, OneLineKitWithItsSumWrittenOut) {
  // "ABC" + "CNESCRIPTO1": 198 + 811.
  EXPECT_TRUE(kit_file_passes(Write("one.txt", "ABC" + encipher_text("1009", {7, 9}) + "\r\n")));
  EXPECT_FALSE(kit_file_passes(Write("one.txt", "ABC" + encipher_text("1010", {7, 9}) + "\r\n")));
}

TEST_F(KitFileTest, EmptyFilePassesAndUnreadablePathsFail) {
  EXPECT_TRUE(kit_file_passes(Write("empty.txt", "")));
  EXPECT_FALSE(kit_file_passes((dir_ / "missing.txt").string()));
  EXPECT_FALSE(kit_file_passes(dir_.string()));
  EXPECT_FALSE(kit_file_passes(""));
}

TEST_F(KitFileTest, SumChangesFailAndSumKeepingChangesPass) {
  std::string kit = make_kit({"ABCDEF 123", "SECOND LINE"}, "\r\n");
  auto passes = [&](std::string k) { return kit_file_passes(Write("k.txt", k)); };
  ASSERT_TRUE(passes(kit));
  std::string changed = kit, swapped = kit, blanks = kit;
  changed[2] = 'X';
  std::swap(swapped[0], swapped[1]);
  blanks.insert(0, "   ");
  EXPECT_FALSE(passes(changed));
  EXPECT_TRUE(passes(swapped));   // the sum stays the same
  EXPECT_TRUE(passes(blanks));    // leading blanks are not counted
  EXPECT_FALSE(passes(kit + "\r\n"));  // an extra (empty) line changes the count
}

TEST_F(KitFileTest, LinesAreChained) {
  std::vector<std::string> bodies = {"LINE ONE", "LINE TWO", "LINE THREE"};
  std::string kit = make_kit(bodies, "\n");
  size_t first_end = kit.find('\n') + 1;
  std::string rest = kit.substr(first_end);
  size_t second_end = rest.find('\n') + 1;
  std::string moved = rest.substr(0, second_end) + kit.substr(0, first_end) + rest.substr(second_end);
  EXPECT_FALSE(kit_file_passes(Write("moved.txt", moved)));
  EXPECT_FALSE(kit_file_passes(Write("removed.txt", kit.substr(0, first_end) + rest.substr(second_end))));
  // The same lines made for another count fail on the first line.
  EXPECT_FALSE(kit_file_passes(Write("count.txt", make_kit({"A", "B"}, "\n") + "X\n")));
}

TEST_F(KitFileTest, MalformedLinesFail) {
  std::string good = make_kit({"BODY"}, "\n");
  std::string trailer = good.substr(4, kTrailerSize);
  struct Case { const char* what; std::string content; } cases[] = {
      {"short line", "ABC\n"},
      {"trailer only, wrong sum", trailer + "\n"},
      {"bad base64", "BODY" + std::string(24, '*') + "\n"},
      {"undecipherable form", "BODY" + std::string(24, 'A') + "\n"},
      {"binary", "\0\x01\xFF\n\0\0"s + std::string(40, '\0')},
      {"line end inside the trailer", "BODY" + trailer.substr(0, 10) + "\n" + trailer.substr(10) + "\n"},
  };
  for (const auto& c : cases) EXPECT_FALSE(kit_file_passes(Write("bad.txt", c.content))) << c.what;
}

}  // namespace
}  // namespace kav::cadcheck
