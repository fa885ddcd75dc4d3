// The digest that turns the library's pass phrase into its cipher key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kav::cadcheck {

class KeyDigest {
 public:
  static constexpr size_t kSize = 256;

  KeyDigest();

  void Update(std::string_view data);

  // Pads, mixes and enciphers the digest; call once, after the last Update.
  const std::array<uint8_t, kSize>& Finish();

 private:
  void Add(uint8_t byte);

  std::array<uint8_t, kSize> digest_;
  size_t digest_index_ = 0;
  std::array<uint32_t, 4> mixing_key_;
  size_t key_index_ = 0;
};

using CipherKey = std::array<uint8_t, 16>;

// The first 16 bytes of the digest of `phrase`.
CipherKey derive_key(std::string_view phrase);

// The key of every encipherment: that of the library's pass phrase.
CipherKey library_key();

}  // namespace kav::cadcheck
