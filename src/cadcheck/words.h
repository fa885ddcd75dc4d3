// Little-endian words over byte buffers and the four-word mix round shared
// by the key digest and its block cipher.
#pragma once

#include <cstdint>

namespace kav::cadcheck {

inline uint32_t load_le32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

inline void store_le32(uint8_t* p, uint32_t w) {
  p[0] = static_cast<uint8_t>(w);
  p[1] = static_cast<uint8_t>(w >> 8);
  p[2] = static_cast<uint8_t>(w >> 16);
  p[3] = static_cast<uint8_t>(w >> 24);
}

// Note the step c ^= d >> 15, which shifts d.
inline void mix_round(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d) {
  a += d; d += a; a ^= a >> 7;
  b += a; a += b; b ^= b << 13;
  c += b; b += c; c ^= c >> 17;
  d += c; c += d; d ^= d << 9;
  a += d; d += a; a ^= a >> 3;
  b += a; a += b; b ^= b << 7;
  c += b; b += c; c ^= d >> 15;
  d += c; c += d; d ^= d << 11;
}

}  // namespace kav::cadcheck
