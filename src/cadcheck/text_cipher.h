// Texts in their enciphered form: the stream cipher with the library key,
// written in Base64.
#pragma once

#include <string>
#include <string_view>

#include "cadcheck/stream_cipher.h"

namespace kav::cadcheck {

// The enciphered form of `plain` with the given leading block. Fixing the
// leading block makes the output reproducible.
std::string encipher_text(std::string_view plain, LeadingBlock lead);

// Deciphers into `out`; `scratch` holds the decoded bytes between calls so
// that a caller looping over many texts allocates once. Any failure leaves
// `out` empty and answers false.
bool decipher_text(std::string_view enciphered, std::string* out, std::string* scratch);
bool decipher_text(std::string_view enciphered, std::string* out);

}  // namespace kav::cadcheck
