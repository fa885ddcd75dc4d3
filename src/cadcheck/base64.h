// Base64 text form of the enciphered bytes.
#pragma once

#include <string>
#include <string_view>

namespace kav::cadcheck {

// Standard alphabet, "=" padding, no line breaks; appends to `out`.
void base64_encode(std::string_view bytes, std::string* out);

// Replaces `out` with the bytes of `text`. Characters outside "+" to "z"
// and a last group of fewer than four characters fail; other characters
// not in the alphabet ("=" among them) count as 127, and "=" in the third
// or fourth place of a group drops the bytes it stands for.
bool base64_decode(std::string_view text, std::string* out);

}  // namespace kav::cadcheck
