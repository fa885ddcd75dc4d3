// Test of a registry kit file: every line ends in a 24-character trailer,
// the enciphered check sum of the rest of the line followed by the chain
// value ("CNESCRIPTO" + line count for the first line, the previous line's
// trailer after it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cadcheck/line_reader.h"

namespace kav::cadcheck {

inline constexpr size_t kTrailerSize = 24;
inline constexpr std::string_view kChainStart = "CNESCRIPTO";

// The chain value of the first line of a file of `line_count` lines.
std::string first_chain_value(uint64_t line_count);

// The text a line's trailer enciphers, given its body and chain value.
std::string trailer_plain_text(std::string_view body, std::string_view chain);

// True when the file at `path` is a readable regular file whose lines all
// pass; an empty file passes.
bool kit_file_passes(const std::string& path, size_t buffer_size = kDefaultReadBuffer);

}  // namespace kav::cadcheck
