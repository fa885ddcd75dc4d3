// The window listing the keys of a screen.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kav {

// Shows each key beside its description; waits up to two minutes for a key.
int TELA_HELP(const std::vector<std::pair<std::string, std::string>>& keys);

}  // namespace kav
