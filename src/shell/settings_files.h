// The two settings files of the program folder: IMPRESS.MEM (the chosen
// printer) and KAV32.MEM (the start-up options).
#pragma once

#include <string>

#include "base/status.h"

namespace kav {

inline constexpr const char* kPrinterSettingsFile = "IMPRESS.MEM";
inline constexpr const char* kStartOptionsFile = "KAV32.MEM";

// Loads CIMP and the three WXW_ options of `folder` into the shell state: a
// missing file gives "PRN" and false; a damaged one is reported, and its
// defaults are used.
void load_settings(const std::string& folder = ".");
// Writes CIMP to IMPRESS.MEM.
Status save_printer_choice(const std::string& folder = ".");
// Writes the three WXW_ options to KAV32.MEM.
Status save_start_options(const std::string& folder = ".");

}  // namespace kav
