// The demo folder: a municipal installation with fixed data and the small
// synthetic reference-table kit, deterministic apart from file times.
#pragma once

#include <string>

#include "base/status.h"
#include "installation.h"

namespace kav::kavfix {

inline constexpr const char* kDemoCompetence = "202611";

// The installation the demo describes.
InstallSpec demo_spec();

// Builds the demo in `dir` as install() does; `cadcheck_folder` as in
// InstallSpec.
Status make_demo(const std::string& dir, bool force, const std::string& cadcheck_folder = "");

}  // namespace kav::kavfix
