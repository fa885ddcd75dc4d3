// Vertical menus and the menu loop over prompts.
#pragma once

#include <string>
#include <vector>

namespace kav {

struct MenuItem {
  std::string label;
  std::string hint;
};

// A choice on the screen with the hint shown on row 23 while highlighted.
struct MenuPrompt {
  int row, col;
  std::string label;
  std::string hint;
};

// Draws a vertical menu below (row, col) in the MENU colours and answers
// its prompts: item i on row + i, labels padded to the first label's width.
std::vector<MenuPrompt> MONTA_MENU(int row, int col, const std::vector<MenuItem>& items);

// Runs a menu over `prompts` (in the current colour's normal and selected
// pairs): Up/Left and Down/Right move with wrapping, Home and End, Enter or
// the first letter of a label chooses. Answers the 1-based choice, or 0 on
// Esc. `initial` is the prompt highlighted first.
int menu_choice(const std::vector<MenuPrompt>& prompts, int initial = 1);

}  // namespace kav
