// The screen header: frames of the header, work area and footer, the
// secretariat, the open competence, the screen code and title, the date
// and the versions.
#pragma once

#include <string>

namespace kav {

// Month abbreviation "JAN" .. "DEZ" of a competence "YYYYMM" ("???" when
// the month is not 01-12).
std::string month_abbreviation(const std::string& competence);

// Draws the header; `refresh` recomputes the cached secretariat and
// competence texts. The CABEC colours stay current afterwards.
void CABEC(const std::string& code, const std::string& title, bool refresh = false);

}  // namespace kav
