// The 128-bit block cipher that finishes the key digest (encipherment only).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kav::cadcheck {

class DigestCipher {
 public:
  static constexpr int kRounds = 8;

  // `key` holds the four key words.
  explicit DigestCipher(const std::array<uint32_t, 4>& key);

  // Enciphers the four words of one block in place.
  void Encrypt(std::array<uint32_t, 4>& block) const;

 private:
  std::array<uint32_t, 32> subkeys_;
};

}  // namespace kav::cadcheck
