// The stand-in for a menu entry whose screen is not in the program yet.
#pragma once

#include <string>

namespace kav {

// Tells the operator the routine is being developed ("ROTINA EM
// DESENVOLVIMENTO", waiting for a key) and returns to the menu. `screen`
// names the screen that takes this place, so its menu cells can be found.
void pending_screen(const std::string& screen);

}  // namespace kav
