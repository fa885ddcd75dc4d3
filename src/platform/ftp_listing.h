// The MS-DOS form of an FTP folder listing, one entry a line:
//   "01-15-24  10:30AM       <DIR>          LOGS"
//   "01-15-24  02:05PM              1234567 KAV0606.EXE"
// date mm-dd-yy (or mm-dd-yyyy), time hh:mm with AM or PM, "<DIR>" or the
// size, then the name. Lines are read by fields, not by column.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"

namespace kav {

struct FtpEntry {
  std::string name;
  bool is_folder = false;
  int64_t size = 0;   // 0 for a folder
  DateTime modified;  // to the minute; two-digit years are 20yy
};

// The entries of a listing. Lines that are short or odd (a bad date, time
// or size, no name) are skipped, and so are names that are not bare file
// names (is_bare_file_name), which could never be fetched safely.
std::vector<FtpEntry> parse_ms_dos_listing(std::string_view text);

// One listing line for `entry`, in the form above (two-digit year).
std::string ms_dos_listing_line(const FtpEntry& entry);

}  // namespace kav
