// Hexadecimal digits of pi after the point, two to a byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kav::cadcheck {

// 18 words of the P-array and 4 x 256 words of S-boxes (big-endian); the
// first 256 bytes also start the key digest.
inline constexpr size_t kPiByteCount = 4 * (18 + 4 * 256);
extern const uint8_t kPiBytes[kPiByteCount];

// Big-endian word at `byte_offset` of the table.
inline uint32_t pi_word(size_t byte_offset) {
  const uint8_t* p = kPiBytes + byte_offset;
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

}  // namespace kav::cadcheck
