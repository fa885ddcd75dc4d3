// The progress gauge of long runs: a shadowed panel with a caption, a scale
// from 1 to 100 and a bar of blocks.
#pragma once

#include <cstdint>
#include <string>

namespace kav {

// "SALVA..." saves the region and draws the empty gauge (with `caption`,
// or the default one); "RESTAURA" puts the region and the cursor back.
bool FESCALA(const std::string& mode, const std::string& caption = "");
// Draws the bar for `percent` (at most 50 blocks).
bool FESCALA(double percent);
// 100 x done / total, and 0 when there is nothing to count.
double gauge_percent(uint64_t done, uint64_t total);

}  // namespace kav
