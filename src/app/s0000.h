// The program entry: the start-up checks and upgrades of the folder, the
// login, and the main menu until the operator leaves.
#pragma once

#include <string>
#include <vector>

namespace kav {

// Runs the program with the command-line arguments (identification,
// password, feature) on the attached console; never returns.
[[noreturn]] void S0000(const std::vector<std::string>& args);

}  // namespace kav
