// The main menu bar of the program and its six submenus.
#pragma once

#include <string>
#include <vector>

namespace kav {

enum class BarExit { kLogin, kLeave };

// The main loop: each pass installs the hot keys, opens CTR, draws the
// header, sets CTEST_FUNCAO, the information lines and the bar, and runs
// the submenus with the operator's seven right flags ("P"/"N"). Answers
// kLogin on Esc on the bar, kLeave on "Saída" (the caller closes the
// tables and shows the exit screen). The bar keeps the item last chosen,
// between passes and between calls.
BarExit main_bar(const std::vector<std::string>& rights);

}  // namespace kav
