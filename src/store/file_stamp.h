// The stamp of a file: its last-modification month, day, hour, minute and
// second as ten digits "MMDDhhmmss" (local time, no year); four blanks for
// a file that does not exist. The file is looked up ignoring case.
#pragma once

#include <string>

namespace kav {

std::string FDIR_DBI(const std::string& path);

}  // namespace kav
