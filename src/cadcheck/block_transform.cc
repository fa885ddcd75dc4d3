#include "cadcheck/block_transform.h"

#include "cadcheck/pi_table.h"
#include "cadcheck/words.h"

namespace kav::cadcheck {

namespace {

BlockArrays initial_arrays() {
  BlockArrays a;
  size_t offset = 0;
  auto next_word = [&offset] {
    uint32_t w = pi_word(offset);
    offset += 4;
    return w;
  };
  for (auto& w : a.p) w = next_word();
  for (auto& box : a.s) {
    for (auto& w : box) w = next_word();
  }
  return a;
}

}  // namespace

BlockTransform::BlockTransform(const CipherKey& key) : a_(initial_arrays()) {
  size_t k = 0;
  for (auto& w : a_.p) {
    uint32_t word = 0;
    for (int i = 0; i < 4; ++i, k = (k + 1) % key.size()) word = word << 8 | key[k];
    w ^= word;
  }
  uint32_t left = 0, right = 0;
  for (size_t i = 0; i < a_.p.size(); i += 2) {
    Encrypt(left, right);
    a_.p[i] = left;
    a_.p[i + 1] = right;
  }
  for (auto& box : a_.s) {
    for (size_t i = 0; i < box.size(); i += 2) {
      Encrypt(left, right);
      box[i] = left;
      box[i + 1] = right;
    }
  }
}

uint32_t BlockTransform::F(uint32_t x) const {
  const auto& s = a_.s;
  return ((s[0][x >> 24] + s[1][(x >> 16) & 255]) ^ s[2][(x >> 8) & 255]) + s[3][x & 255];
}

// Every round takes F of the entry halves, so each F value enters eight
// times; it is computed once per half.
void BlockTransform::Encrypt(uint32_t& left, uint32_t& right) const {
  const auto& p = a_.p;
  const uint32_t f_left0 = F(left), f_right0 = F(right);
  left ^= p[0];
  for (int i = 1; i <= 15; i += 2) {
    right ^= p[i] ^ f_left0;
    left ^= p[i + 1] ^ f_right0;
  }
  right ^= p[17];
}

void BlockTransform::Decrypt(uint32_t& left, uint32_t& right) const {
  const auto& p = a_.p;
  const uint32_t f_left0 = F(left), f_right0 = F(right);
  right ^= p[17];
  for (int i = 16; i >= 2; i -= 2) {
    left ^= p[i] ^ f_right0;
    right ^= p[i - 1] ^ f_left0;
  }
  left ^= p[0];
}

void BlockTransform::EncryptBlock(uint8_t* block) const {
  uint32_t left = load_le32(block), right = load_le32(block + 4);
  Encrypt(left, right);
  store_le32(block, left);
  store_le32(block + 4, right);
}

void BlockTransform::DecryptBlock(uint8_t* block) const {
  uint32_t left = load_le32(block), right = load_le32(block + 4);
  Decrypt(left, right);
  store_le32(block, left);
  store_le32(block + 4, right);
}

const BlockTransform& library_transform() {
  static const BlockTransform transform(library_key());
  return transform;
}

}  // namespace kav::cadcheck
