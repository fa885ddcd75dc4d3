// Windows, frames, shadows and panels.
#pragma once

#include <array>
#include <string>
#include <variant>

#include "platform/screen.h"

namespace kav {

// Frame: 1 single, 2 double, 3 double horizontal and single vertical,
// 4 single horizontal and double vertical, 5 full and half blocks, other
// numbers none; or eight characters clockwise from the top-left corner.
using Frame = std::variant<int, std::string>;

// Draws the frame of the rectangle in `attr`; false when the frame is none.
bool draw_frame(int top, int left, int bottom, int right, const Frame& frame, Attr attr);

// Saves the region and opens a cleared, framed box in `colour` (empty: the
// current colour); with a shadow the box is one row and two columns
// smaller. Answers the saved window: the region's cells followed by the
// four coordinates, two characters each.
std::string WINDOW(int top, int left, int bottom, int right, const std::string& colour = "",
                   const Frame& frame = 1, bool shadow = true);
void RESTWINDOW(const std::string& saved);

// Dims the cells one row below and two columns to the right of the
// rectangle, keeping their characters.
void SOMBRA(int top, int left, int bottom, int right);
void WINSHADE(int top, int left, int bottom, int right);

// Shadow of the rectangle and its rows top + 1 .. bottom filled with blocks.
void QUADRO(int top, int left, int bottom, int right, const Frame& frame = 1);

}  // namespace kav
