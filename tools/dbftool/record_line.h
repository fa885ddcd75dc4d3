// The text form of a record used by dump and seek: the record number ("*"
// after it for a deleted record), then the values tab-separated.
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"
#include "xbase/table.h"

namespace kav::dbftool {

// C right-trimmed, N trimmed, D as stored, L as T/F, M as its escaped text.
Status record_line(const xbase::Table& t, std::string* line);

// Memo text on one line: backslash, line feed, carriage return and tab
// become \\, \n, \r and \t. unescape_memo() is the inverse; an unknown
// escape is an error.
std::string escape_memo(std::string_view text);
Status unescape_memo(std::string_view text, std::string* out);

}  // namespace kav::dbftool
