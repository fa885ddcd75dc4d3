#include "cadcheck/key_digest.h"

#include <algorithm>

#include "cadcheck/digest_cipher.h"
#include "cadcheck/pi_table.h"
#include "cadcheck/words.h"

namespace kav::cadcheck {

namespace {

constexpr std::string_view kPassPhrase = "MOLA_FRINGEX";
constexpr uint8_t kPadding[8] = {1, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

KeyDigest::KeyDigest() : mixing_key_{0x55555555, 0x55555555, 0x55555555, 0x55555555} {
  std::copy(kPiBytes, kPiBytes + kSize, digest_.begin());
}

void KeyDigest::Update(std::string_view data) {
  for (char c : data) Add(static_cast<uint8_t>(c));
}

void KeyDigest::Add(uint8_t byte) {
  digest_[digest_index_] ^= byte;
  digest_index_ = (digest_index_ + 1) % kSize;
  mixing_key_[key_index_ / 4] ^= uint32_t{byte} << (8 * (key_index_ % 4));
  if (++key_index_ < 8) return;
  uint32_t a = mixing_key_[3], b = mixing_key_[2], c = mixing_key_[1], d = mixing_key_[0];
  for (int i = 0; i < 4; ++i) mix_round(a, b, c, d);
  mixing_key_ = {a, b, c, d};
  key_index_ = 0;
}

const std::array<uint8_t, KeyDigest::kSize>& KeyDigest::Finish() {
  // The padding goes through Add in full: it enters the digest bytes too.
  for (size_t i = 0, n = 8 - key_index_; i < n; ++i) Add(kPadding[i]);
  DigestCipher cipher(mixing_key_);
  for (size_t off = 0; off < kSize; off += 16) {
    uint8_t* p = digest_.data() + off;
    std::array<uint32_t, 4> block = {load_le32(p), load_le32(p + 4), load_le32(p + 8),
                                     load_le32(p + 12)};
    cipher.Encrypt(block);
    for (int w = 0; w < 4; ++w) store_le32(p + 4 * w, block[w]);
  }
  return digest_;
}

CipherKey derive_key(std::string_view phrase) {
  KeyDigest digest;
  digest.Update(phrase);
  const auto& full = digest.Finish();
  CipherKey key;
  std::copy(full.begin(), full.begin() + key.size(), key.begin());
  return key;
}

CipherKey library_key() { return derive_key(kPassPhrase); }

}  // namespace kav::cadcheck
