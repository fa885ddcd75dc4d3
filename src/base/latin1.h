// ISO-8859-1 helpers. Every text inside the program is Latin-1 bytes; only
// the terminal converts to and from UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

// Sum of the byte values, each taken as unsigned.
int64_t latin1_sum(std::string_view s);

// Latin-1 bytes to UTF-8 (every byte is one code point U+0000..U+00FF).
std::string latin1_to_utf8(std::string_view s);

// UTF-8 to Latin-1; a code point above U+00FF or a malformed sequence
// becomes '?'.
std::string utf8_to_latin1(std::string_view s);

// Upper case of a Latin-1 byte: a-z and the accented letters à-þ (except ÷).
char latin1_upper(char c);
std::string latin1_upper(std::string_view s);

}  // namespace kav
