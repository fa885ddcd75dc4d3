// The boxes of the start-up: the version and competence notices, the
// ordinance notices and the refusals that end the program.
#pragma once

#include <string>
#include <vector>

namespace kav {

using Lines = std::vector<std::string>;

// The upgrade notices, by the row of the upgrade table that shows them.
Lines notice_old_competence(const std::string& CTR_MVM);  // U1
Lines notice_new_procedure_table();                       // U2
Lines notice_two_files();                                 // U3
Lines notice_version_0328();                              // U6
Lines notice_withdrawn_kit();                             // kit 200908a/b
Lines notice_corrupt_installation();                      // SS_IN not E/M
Lines notice_forum();                                     // after login, up to 202304
Lines notice_automatic_vbq();                             // after login, 201601-201608

// An ordinance notice shown at start while its competence window is open.
struct OrdinanceNotice {
  std::string first, last;  // competence window, inclusive
  Lines lines;
};
const std::vector<OrdinanceNotice>& ordinance_notices();  // U7 .. U11, in order

// Shows `lines` in a box that stays until the key "7" (or Esc, when
// `esc_leaves`); answers false on Esc.
bool wait_for_seven(const Lines& lines, bool esc_leaves = false);

}  // namespace kav
