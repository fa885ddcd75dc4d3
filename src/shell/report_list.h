// The list of report files of the program folder (F12 everywhere): view a
// file or send it to the printer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kav {

struct ReportFile {
  std::string name;
  uint64_t size = 0;
  std::string date;  // dd/mm/yyyy
  std::string time;  // hh:mm:ss
};

// The report files of `folder` in the order of the list: by extension (none
// or unknown, DOC, TXT, PRN, JAN .. DEZ), then by name.
std::vector<ReportFile> report_files(const std::string& folder);

void VER1();

}  // namespace kav
