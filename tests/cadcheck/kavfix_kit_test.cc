// The registry kit generator and the copy of cadcheck.so into installations.
#include <gtest/gtest.h>

#include "temp_dir.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/replacing_file.h"
#include "cadcheck/kit_file.h"
#include "cadcheck/text_cipher.h"
#include "cadcheck_copy.h"
#include "cnes_kit.h"

namespace kav::kavfix {
namespace {

namespace fs = std::filesystem;

class KavfixKitTest : public ::testing::Test {
 protected:
  kav::TempDir tmp_;

  std::string Kit(const std::vector<std::string>& bodies, CnesKitOptions options) {
    options.reproducible = true;
    std::string out;
    Status st = write_cnes_kit(bodies, options, [&](std::string_view s) {
      out += s;
      return Status::Ok();
    });
    EXPECT_TRUE(st.ok()) << st.message();
    return out;
  }

  bool Passes(const std::string& kit) {
    std::string path = (dir_ / "kit.txt").string();
    EXPECT_TRUE(replace_file_contents(path, kit).ok());
    return cadcheck::kit_file_passes(path);
  }

  static std::vector<std::string> Lines(const std::string& kit) {
    std::vector<std::string> lines;
    std::istringstream in(kit);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
  }

  static std::string Trailer(const std::string& line) {
    return line.substr(line.size() - 1 - cadcheck::kTrailerSize, cadcheck::kTrailerSize);
  }

  fs::path dir_{tmp_.path()};
  std::vector<std::string> bodies_ = {"HEADER 202601 0003", "  2  HOSPITAL  ", "", "LAST"};
};

TEST_F(KavfixKitTest, BreaksExactlyTheChosenLine) {
  const std::vector<std::string> valid = Lines(Kit(bodies_, {}));
  ASSERT_EQ(valid.size(), 4u);
  EXPECT_EQ(valid[0].substr(0, 18), bodies_[0]);
  EXPECT_EQ(valid[0].size(), 18u + 24u + 1u);  // body, trailer, CR
  struct Case { std::set<uint64_t> bad_trailer, bad_chain; size_t first_changed; } cases[] = {
      {{}, {}, 4}, {{1}, {}, 0}, {{3}, {}, 2}, {{}, {1}, 0}, {{}, {4}, 3}, {{2}, {2}, 1},
  };
  for (const auto& c : cases) {
    CnesKitOptions options;
    options.bad_trailer = c.bad_trailer;
    options.bad_chain = c.bad_chain;
    std::string kit = Kit(bodies_, options);
    EXPECT_EQ(Passes(kit), c.first_changed == 4) << c.first_changed;
    std::vector<std::string> lines = Lines(kit);
    ASSERT_EQ(lines.size(), valid.size());
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i] == valid[i], i < c.first_changed) << "line " << i + 1;
      if (i <= c.first_changed) continue;
      // Later lines are chained to the broken line as it stands.
      std::string plain;
      EXPECT_TRUE(cadcheck::decipher_text(Trailer(lines[i]), &plain));
      EXPECT_EQ(plain, cadcheck::trailer_plain_text(bodies_[i], Trailer(lines[i - 1])));
    }
  }
}

TEST_F(KavfixKitTest, LineEndsAndReadingBodies) {
  CnesKitOptions lf;
  lf.crlf = false;
  EXPECT_TRUE(Passes(Kit(bodies_, lf)));
  EXPECT_TRUE(Passes(Kit({}, {})));

  std::string path = (dir_ / "bodies.txt").string();
  ASSERT_TRUE(replace_file_contents(path, "A\r\nB\n\nC").ok());
  std::vector<std::string> read;
  int fd = ::open(path.c_str(), O_RDONLY);
  ASSERT_TRUE(read_body_lines(fd, &read).ok());
  ::close(fd);
  EXPECT_EQ(read, (std::vector<std::string>{"A", "B", "", "C"}));
}

TEST_F(KavfixKitTest, RefusesBodiesThatCannotCarryATrailer) {
  auto fails = [](std::vector<std::string> bodies) {
    return !write_cnes_kit(bodies, {}, [](std::string_view) { return Status::Ok(); }).ok();
  };
  EXPECT_TRUE(fails({"A\nB"}));
  EXPECT_TRUE(fails({std::string(200000, 'z')}));  // sum of eight digits
  EXPECT_FALSE(fails({std::string(70000, 'z')}));
}

TEST_F(KavfixKitTest, CommandLineWritesAKitThatPasses) {
  std::string bodies = (dir_ / "bodies.txt").string(), kit = (dir_ / "out.txt").string();
  ASSERT_TRUE(replace_file_contents(bodies, "ONE\nTWO\n").ok());
  std::string kavfix = std::string(KAV_BIN_DIR) + "/kavfix";
  EXPECT_EQ(std::system((kavfix + " --help > /dev/null").c_str()), 0);
  ASSERT_EQ(std::system((kavfix + " cnes-kit < " + bodies + " > " + kit).c_str()), 0);
  EXPECT_TRUE(cadcheck::kit_file_passes(kit));
  ASSERT_EQ(std::system((kavfix + " cnes-kit " + bodies + " --bad-chain 2 -o " + kit).c_str()), 0);
  EXPECT_FALSE(cadcheck::kit_file_passes(kit));
  EXPECT_NE(std::system((kavfix + " cnes-kit --bad-trailer 0 2> /dev/null").c_str()), 0);
}

TEST_F(KavfixKitTest, CopiesCadcheckIntoAnInstallationFolder) {
  ASSERT_TRUE(copy_cadcheck(KAV_BIN_DIR, dir_.string()).ok());
  std::string built, copied;
  ASSERT_TRUE(read_file(std::string(KAV_BIN_DIR) + "/cadcheck.so", &built).ok());
  ASSERT_TRUE(read_file((dir_ / "cadcheck.so").string(), &copied).ok());
  EXPECT_EQ(built, copied);
  EXPECT_TRUE(copy_cadcheck(dir_.string(), dir_.string()).ok());  // over itself
  EXPECT_TRUE(copy_cadcheck((dir_ / "none").string(), dir_.string()).is_not_found());

  std::string folder;
  ASSERT_TRUE(running_program_folder(&folder).ok());
  EXPECT_EQ(fs::path(folder), fs::canonical("/proc/self/exe").parent_path());
}

}  // namespace
}  // namespace kav::kavfix
