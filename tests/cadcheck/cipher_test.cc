// Known answers of the key digest and the block transform. The key pins the
// digest's finish step: the padding bytes are fed through in full, so they
// also enter the digest bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cadcheck/block_transform.h"
#include "cadcheck/key_digest.h"
#include "cadcheck/pi_table.h"

namespace kav::cadcheck {
namespace {

using namespace std::string_literals;

std::string hex(const uint8_t* p, size_t n) {
  std::string s;
  char b[3];
  for (size_t i = 0; i < n; ++i) std::snprintf(b, sizeof b, "%02x", p[i]), s += b;
  return s;
}

TEST(PiTable, MatchesTheBlowfishInitialValues) {
  EXPECT_EQ(pi_word(0), 0x243F6A88u);
  EXPECT_EQ(pi_word(17 * 4), 0x8979FB1Bu);            // last P word
  EXPECT_EQ(pi_word(18 * 4), 0xD1310BA6u);            // first word of S0
  EXPECT_EQ(pi_word(kPiByteCount - 4), 0x3AC372E6u);  // last word of S3
}

TEST(KeyDigest, LibraryKeyIsPinned) {
  CipherKey key = library_key();
  EXPECT_EQ(hex(key.data(), key.size()), "48b98460d6a06d138f1ae1b90b308b34");
}

TEST(KeyDigest, EveryInputByteAndItsPositionMatter) {
  CipherKey base = derive_key("MOLA_FRINGEX");
  for (std::string other : {"MOLA_FRINGEY"s, "OMLA_FRINGEX"s, "MOLA_FRINGE"s, "MOLA_FRINGEX\0"s}) {
    EXPECT_NE(derive_key(other), base) << other;
  }
  // Eight bytes fill the mixing key exactly; the padding then mixes it once more.
  EXPECT_NE(derive_key("ABCDEFGH"), derive_key("ABCDEFGH\x01"));
}

TEST(BlockTransform, OneBlockIsPinned) {
  uint8_t block[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  library_transform().EncryptBlock(block);
  EXPECT_EQ(hex(block, 8), "1dfb0e223301415f");
}

TEST(BlockTransform, DecryptionUndoesEncryptionAndEqualsIt) {
  const BlockTransform& t = library_transform();
  for (uint32_t seed : {0u, 1u, 0x80000000u, 0xDEADBEEFu}) {
    uint32_t l = seed, r = ~seed * 2654435761u;
    uint32_t el = l, er = r, dl = l, dr = r;
    t.Encrypt(el, er);
    t.Decrypt(dl, dr);
    EXPECT_EQ(el, dl);
    EXPECT_EQ(er, dr);
    t.Decrypt(el, er);
    EXPECT_EQ(el, l);
    EXPECT_EQ(er, r);
  }
}

// The round function is taken on the entry halves, so it cancels out.
TEST(BlockTransform, SBoxesDoNotChangeTheOutput) {
  const BlockArrays& keyed = library_transform().arrays();
  BlockArrays changed = keyed;
  for (auto& box : changed.s) {
    for (auto& w : box) w = w * 31 + 7;
  }
  uint32_t l1 = 0x01234567, r1 = 0x89ABCDEF, l2 = l1, r2 = r1;
  BlockTransform(keyed).Encrypt(l1, r1);
  BlockTransform(changed).Encrypt(l2, r2);
  EXPECT_EQ(l1, l2);
  EXPECT_EQ(r1, r2);
}

}  // namespace
}  // namespace kav::cadcheck
