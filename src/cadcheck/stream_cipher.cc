#include "cadcheck/stream_cipher.h"

#include <chrono>
#include <cstring>

#include "cadcheck/words.h"

namespace kav::cadcheck {

namespace {

constexpr size_t kBlock = 8;

uint32_t clock_ms() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void xor_block(uint8_t* block, const uint8_t* with) {
  for (size_t i = 0; i < kBlock; ++i) block[i] ^= with[i];
}

}  // namespace

LeadingBlock clock_leading_block() {
  uint32_t first = clock_ms();
  return {first, clock_ms()};
}

void stream_encipher(const BlockTransform& t, LeadingBlock lead, std::string_view plain,
                     std::string* out) {
  uint8_t chain[kBlock];
  store_le32(chain, lead.first);
  store_le32(chain + 4, lead.second);
  t.EncryptBlock(chain);
  out->append(reinterpret_cast<const char*>(chain), kBlock);

  size_t full = plain.size() / kBlock * kBlock;
  for (size_t i = 0; i <= full; i += kBlock) {
    uint8_t block[kBlock] = {};
    if (i < full) {
      std::memcpy(block, plain.data() + i, kBlock);
    } else {
      size_t rest = plain.size() - full;
      if (rest > 0) std::memcpy(block, plain.data() + i, rest);
      block[kBlock - 1] = static_cast<uint8_t>(rest);
    }
    xor_block(block, chain);
    t.EncryptBlock(block);
    out->append(reinterpret_cast<const char*>(block), kBlock);
    std::memcpy(chain, block, kBlock);
  }
}

bool stream_decipher(const BlockTransform& t, std::string_view enciphered, std::string* out) {
  out->clear();
  size_t blocks = enciphered.size() / kBlock;
  if (blocks < 2) return false;
  const auto* in = reinterpret_cast<const uint8_t*>(enciphered.data());
  out->reserve((blocks - 1) * kBlock);
  for (size_t b = 1; b < blocks; ++b) {
    uint8_t block[kBlock];
    std::memcpy(block, in + b * kBlock, kBlock);
    t.DecryptBlock(block);
    xor_block(block, in + (b - 1) * kBlock);
    if (b + 1 < blocks) {
      out->append(reinterpret_cast<const char*>(block), kBlock);
      continue;
    }
    uint8_t count = block[kBlock - 1];
    if (count >= kBlock) {
      out->clear();
      return false;
    }
    out->append(reinterpret_cast<const char*>(block), count);
  }
  return true;
}

}  // namespace kav::cadcheck
