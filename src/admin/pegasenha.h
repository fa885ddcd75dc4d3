// Masked entry of a six-character password.
#pragma once

#include <string>

namespace kav {

// The attempt number after which no further attempt follows.
inline constexpr int kLastPasswordAttempt = 2;

// Reads a password at the cursor, showing "*" for each character taken
// (codes 48 to 180, each with a short beep); other keys are ignored. Enter
// pads what was typed with blanks to six; Esc gives six blanks and sets
// `attempt` to the last one.
std::string PEGASENHA(int* attempt);

}  // namespace kav
