// A small synthetic reference-table kit for the demo folder: every kit
// table with a handful of plausible rows for one competence, the kit
// version row and the minimum-version rows of S_CDN, and the record
// counts the closing run compares.
#pragma once

#include <string>
#include <vector>

#include "base/status.h"
#include "table_files.h"

namespace kav::kavfix {

// The municipality the demo kit describes, with its neighbours.
inline constexpr const char* kDemoUf = "SP";
inline constexpr const char* kDemoMunicipality = "355030";
inline constexpr const char* kDemoMunicipalityName = "SAO PAULO";
inline constexpr const char* kDemoCondition = "PG";
// The minimum registry mapping version the kit asks for (the minimum
// program version is the program's own).
inline constexpr const char* kDemoMappingVersion = "01.24";

// The kit version: the competence it serves and a letter, AAAAMML.
std::string kit_version(const std::string& competence);

// The tables of the kit for `competence`, rows included.
std::vector<TableRows> demo_kit_tables(const std::string& competence);

// Writes the kit into `folder` (none of its tables may exist there).
Status write_demo_kit(const std::string& folder, const std::string& competence);

}  // namespace kav::kavfix
