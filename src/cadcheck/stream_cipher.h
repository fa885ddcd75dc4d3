// Chained stream mode over the block transform: a leading block, one block
// per full 8 bytes, and a final block carrying the remaining bytes and their
// count in its last byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cadcheck/block_transform.h"

namespace kav::cadcheck {

// The two halves of the leading block before it is transformed.
struct LeadingBlock {
  uint32_t first;
  uint32_t second;
};

// Leading block from two successive readings of the 32-bit millisecond clock.
LeadingBlock clock_leading_block();

// Appends the 8 x (size / 8 + 2) enciphered bytes of `plain` to `out`.
void stream_encipher(const BlockTransform& t, LeadingBlock lead, std::string_view plain,
                     std::string* out);

// Replaces `out` with the deciphered text. Fails when fewer than two whole
// blocks are given or the final block's count is above 7; bytes after the
// last whole block are ignored.
bool stream_decipher(const BlockTransform& t, std::string_view enciphered, std::string* out);

}  // namespace kav::cadcheck
