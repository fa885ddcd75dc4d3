// Viewer of text files (reports), line by line with horizontal shifts and
// searches.
#pragma once

#include <string>

#include "shell/window.h"

namespace kav {

// Opens a window and views `file` inside it; restores the screen after.
void VETEXTO(const std::string& file, int top, int left, int bottom, int right,
             const std::string& colour = "", const Frame& frame = 1);
// Views `file` in the rectangle; false when the file is missing.
bool EDICAO(const std::string& file, int top, int left, int bottom, int right);

}  // namespace kav
