// Character substitution that keeps a few stored values (the kit's
// minimum-version rows, some checksums) from being read as plain text.
#pragma once

#include <string>
#include <string_view>

namespace kav {

// Every character of the substitution set replaced by its partner; bytes
// outside the set (blank, control bytes, other symbols) stay unchanged.
std::string EMBARALHA(std::string_view text);

// The inverse of EMBARALHA.
std::string DESEMBARALHA(std::string_view text);

// The two rows of the substitution: plain[i] is written as scrambled[i].
// Exposed so that tests and the kit generator can check the table.
std::string_view embaralha_plain_row();
std::string_view embaralha_scrambled_row();

}  // namespace kav
