// The vertical submenus under the main bar: each entry is a row of a data
// table (label, hint, the checks it needs, the function it calls), and one
// runner shows them, checks the rights and the preconditions, and calls
// the entry.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/menu.h"

namespace kav {

// Conditions an entry needs, checked in the order the entry lists them.
enum class Need {
  kKit,              // the reference-table kit serves the open competence
  kMapping,          // the registry mapping program is recent enough
  kValued,           // the gross value was computed ("NAO" in the refusal)
  kValuedReport,     // the same, refused with the accented "NÃO"
  kOpen,             // the gross value is not computed yet
  kCreditProcessed,  // the competence is no longer plainly open
};

struct SubmenuEntry {
  SubmenuEntry(std::string label, std::string hint, std::vector<Need> needs,
               std::function<void()> run)
      : label(std::move(label)), hint(std::move(hint)), needs(std::move(needs)),
        run(std::move(run)) {}

  std::string label;
  std::string hint;
  std::vector<Need> needs;
  std::function<void()> run;
  // The rights (1-7) the entry needs; unset: the submenu's own right.
  std::optional<std::vector<int>> rights;
  bool drops_clipboard_keys = false;  // Ctrl+C and Ctrl+V are off while it runs
  bool back_to_bar = false;           // the submenu closes after it
};

// What is done with the tables when an entry returns.
enum class AfterEntry { kCloseAll, kKeepOpen, kCloseWithoutStamps };

struct Submenu {
  int bar_item;  // 1-6: its place on the bar, which is also its right
  int column;
  AfterEntry after = AfterEntry::kCloseAll;
  // Run before every display (opening tables, clearing the unattended log).
  std::function<void()> before_display;
  // The entries as they are now (some depend on the open competence).
  std::function<std::vector<SubmenuEntry>()> entries;
};

// MONTA_MENU with the first label widened to the longest, so every label
// fits the panel.
std::vector<MenuPrompt> draw_menu(int row, int col, std::vector<MenuItem> items);

// The submenu of bar item 1-6.
const Submenu& submenu(int bar_item);

// Runs a submenu until Esc (or an entry that goes back to the bar) with the
// operator's seven right flags.
void run_submenu(const Submenu& menu, const std::vector<std::string>& rights);

}  // namespace kav
