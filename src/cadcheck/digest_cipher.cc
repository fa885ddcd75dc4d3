#include "cadcheck/digest_cipher.h"

#include <utility>

#include "cadcheck/words.h"

namespace kav::cadcheck {

namespace {

constexpr uint32_t kSalts[4] = {0x55555555, 0xAAAAAAAA, 0x33333333, 0xCCCCCCCC};

// The seeding step of the ISAAC generator.
void seed_mix(uint32_t (&v)[8]) {
  uint32_t &a = v[0], &b = v[1], &c = v[2], &d = v[3];
  uint32_t &e = v[4], &f = v[5], &g = v[6], &h = v[7];
  a ^= b << 11; d += a; b += c;
  b ^= c >> 2;  e += b; c += d;
  c ^= d << 8;  f += c; d += e;
  d ^= e >> 16; g += d; e += f;
  e ^= f << 10; h += e; f += g;
  f ^= g >> 4;  a += f; g += h;
  g ^= h << 8;  b += g; h += a;
  h ^= a >> 9;  c += h; a += b;
}

}  // namespace

DigestCipher::DigestCipher(const std::array<uint32_t, 4>& key) {
  size_t next = 0;
  for (uint32_t s : kSalts) {
    uint32_t v[8] = {key[0], s, key[1], s, key[2], s, key[3], s};
    for (int i = 0; i < 8; ++i) seed_mix(v);
    for (uint32_t w : v) subkeys_[next++] = w;
  }
}

void DigestCipher::Encrypt(std::array<uint32_t, 4>& block) const {
  uint32_t right0 = block[0], right1 = block[1];
  uint32_t left0 = block[2], left1 = block[3];
  for (int r = 0; r < kRounds; ++r) {
    uint32_t a = right0, b = subkeys_[2 * r], c = right1, d = subkeys_[2 * r + 1];
    mix_round(a, b, c, d);
    std::swap(a, c);
    std::swap(b, d);
    mix_round(a, b, c, d);
    uint32_t new0 = left0 ^ a ^ b, new1 = left1 ^ c ^ d;
    left0 = right0;
    left1 = right1;
    right0 = new0;
    right1 = new1;
  }
  block = {left0, left1, right0, right1};
}

}  // namespace kav::cadcheck
