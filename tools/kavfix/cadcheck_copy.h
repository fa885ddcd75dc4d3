// Every installation folder gets its own copy of cadcheck.so, taken from
// the folder of the running kavfix (where the build puts both).
#pragma once

#include <string>

#include "base/status.h"

namespace kav::kavfix {

inline constexpr const char* kCadcheckFile = "cadcheck.so";

// Folder of the running program's executable.
Status running_program_folder(std::string* folder);

// Copies cadcheck.so from `from_folder` into `to_folder`, replacing an
// older copy only once the new one is complete.
Status copy_cadcheck(const std::string& from_folder, const std::string& to_folder);

// Copies the cadcheck.so that sits beside the running kavfix.
Status install_cadcheck(const std::string& to_folder);

}  // namespace kav::kavfix
