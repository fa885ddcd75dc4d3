// Finds files ignoring case. Files that come from other programs may be
// spelt in any case; every file the program reads is looked up here.
#pragma once

#include <optional>
#include <string>

namespace kav {

// Returns the existing path that matches `path` ignoring the case of each
// component (an exact match wins), or nothing when none exists.
std::optional<std::string> resolve_path(const std::string& path);

// The path to use for a file the program may read or create: the existing
// spelling when one exists, otherwise `path` unchanged.
std::string resolve_or_same(const std::string& path);

}  // namespace kav
