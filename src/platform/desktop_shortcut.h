// The program's shortcut on the operator's desktop: an XDG desktop entry.
#pragma once

#include <string>

#include "base/status.h"

namespace kav {

inline constexpr const char* kShortcutFile = "KAVSUS.desktop";

// The desktop folder: $XDG_DESKTOP_DIR, the one of user-dirs.dirs, or
// $HOME/Desktop ("" without a home).
std::string desktop_folder();

// Creates `desktop`/KAVSUS.desktop, when it does not exist, starting
// `program` in a terminal with `folder` as working folder and KAV.ico of
// that folder as icon. An existing shortcut is left as it is.
Status create_desktop_shortcut(const std::string& desktop, const std::string& program,
                               const std::string& folder);

}  // namespace kav
