// The 8-byte block transform of the stream cipher: Blowfish-shaped arrays
// and set-up, with the round function taken on the halves as they enter.
#pragma once

#include <array>
#include <cstdint>

#include "cadcheck/key_digest.h"

namespace kav::cadcheck {

struct BlockArrays {
  std::array<uint32_t, 18> p;
  std::array<std::array<uint32_t, 256>, 4> s;
};

class BlockTransform {
 public:
  // Arrays set up with `key` from their initial values.
  explicit BlockTransform(const CipherKey& key);
  // Arrays as given, without set-up.
  explicit BlockTransform(const BlockArrays& arrays) : a_(arrays) {}

  // On the two halves of a block: left = bytes 0-3, right = bytes 4-7.
  void Encrypt(uint32_t& left, uint32_t& right) const;
  void Decrypt(uint32_t& left, uint32_t& right) const;

  // On an 8-byte block in place.
  void EncryptBlock(uint8_t* block) const;
  void DecryptBlock(uint8_t* block) const;

  const BlockArrays& arrays() const { return a_; }

 private:
  uint32_t F(uint32_t x) const;

  BlockArrays a_;
};

// The transform set up with the library key, built once per process.
const BlockTransform& library_transform();

}  // namespace kav::cadcheck
