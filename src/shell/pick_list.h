// Pick lists: a framed list of texts with a scroll bar, single or multiple
// choice, in the current colour.
#pragma once

#include <string>
#include <vector>

namespace kav {

// Single choice: `result` is the chosen item, or "" on Esc. Multiple
// choice (`multi`): Enter marks and unmarks items, F5 ends, and `result` is
// the marked items each right-aligned in 12 characters. The screen is
// restored when `restore` is true.
bool APOP(int top, int left, int bottom, int right, const std::vector<std::string>& items,
          std::string& result, bool multi = false, const std::string& title = "",
          const std::string& hint = "", bool restore = true);

// As APOP, with the screen always restored and the result as a list: the
// marked items, or the one chosen item.
bool APOP2(int top, int left, int bottom, int right, const std::vector<std::string>& items,
           std::vector<std::string>& result, bool multi = false, const std::string& title = "",
           const std::string& hint = "");

}  // namespace kav
