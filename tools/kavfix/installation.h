// A fresh installation folder: the subfolders, the secretariat and control
// records, every table of the catalog (empty), the users file, the colour
// table, the printer profiles and cadcheck.so, with the indexes built and
// their stamps recorded, so that the first start of kav32 announces nothing.
#pragma once

#include <functional>
#include <string>

#include "base/status.h"

namespace kav::kavfix {

// The version of the program the installations are made for (DEF_KAV_VER).
std::string program_version();

// What the installation settings screen asks, as options.
struct InstallSpec {
  std::string uf;            // state abbreviation, "SP"
  bool state = false;        // a state secretariat (else municipal)
  std::string municipality;  // IBGE, 6 digits (municipal only)
  std::string competence;    // first competence, AAAAMM; "" = this month
  std::string name;          // SS_NM; "" = from the state or municipality
  std::string abbreviation;  // SS_SIGL; "" = "SES-UF" or "SMS-..."
  std::string cnpj;          // SS_CGC, digits
  std::string condition;     // SS_CONDIC; "" = "EP" state, "PG" municipal
  // SS_DPCNES: version of the registry mapping program of the last
  // registry import; "" on a fresh installation (none has run yet).
  std::string mapping_version;
  // Folder holding the cadcheck.so to copy; "" = beside the running program.
  std::string cadcheck_folder;
};

// Checks the spec and fills in what was left out (names, abbreviation,
// condition, competence). The messages name the option at fault.
Status complete_spec(InstallSpec* spec);

// Writes more files into the folder being built (the demo's kit), before
// the catalog tables are made and opened.
using FolderExtra = std::function<Status(const std::string& folder)>;

// Builds the installation `spec` (complete) beside `dir` and moves it into
// `dir` at the end; nothing reaches `dir` when a step fails. A `dir` that
// already holds an installation (S_SS, S_CTR or the users file), or any
// file the installation writes, is refused unless `force`; its other files
// stay.
Status install(const std::string& dir, const InstallSpec& spec, bool force,
               const FolderExtra& extra = nullptr);

}  // namespace kav::kavfix
