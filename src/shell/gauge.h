// The progress gauge of long runs: a shadowed panel with a caption, a scale
// from 1 to 100 and a bar of blocks.
#pragma once

#include <string>

namespace kav {

// "SALVA..." saves the region and draws the empty gauge (with `caption`,
// or the default one); "RESTAURA" puts the region and the cursor back.
bool FESCALA(const std::string& mode, const std::string& caption = "");
// Draws the bar for `percent` (at most 50 blocks).
bool FESCALA(double percent);

}  // namespace kav
