// The checks the menus make before an entry runs: the reference-table kit
// serves the open competence; the registry mapping program and the kit are
// recent enough.
#pragma once

#include <string>

namespace kav {

// The kit's version row "55VERSAO" names the open competence; otherwise
// "ATUALIZE O BDKAV PARA ESTA COMPETENCIA!" and false. True without the row.
bool VER_BDKAV_CMP();

// The least mapping-program version accepted for a competence ("" before
// the bands begin in 200801).
std::string depara_minimum(const std::string& competence);

// The mapping program of the last registry import (SS_DPCNES) is the
// program's own version or at least the minimum of the open competence,
// and the kit is at least "200801a". Each refusal shows its box; a test
// version of the program ("00.xx") lets an old mapping program through.
bool VRF_DEPARA();

}  // namespace kav
