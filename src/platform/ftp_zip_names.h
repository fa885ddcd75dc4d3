// Names that come from outside the program (a server listing, an archive
// member, a name the caller passes on) become file names in a folder of
// ours only when they cannot leave it.
#pragma once

#include <string_view>

namespace kav {

// True for a plain file name: not empty, no '/', '\', "..", control byte
// (below 0x20 or 0x7F) or NUL, and not "." alone.
bool is_bare_file_name(std::string_view name);

}  // namespace kav
