// Filtered browse of the current table: the records from where `top`
// leaves the pointer while `while_cond` holds, showing those that satisfy
// `for_cond`, drawn as columns in a window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/screen.h"
#include "shell/table_cursor.h"

namespace kav {

class Browse {
 public:
  using Condition = std::function<bool()>;
  using Action = std::function<void()>;

  // Empty conditions hold always; empty actions go to the top or bottom.
  Browse(TableCursor* table, Condition for_cond, Condition while_cond, Action top, Action bottom);

  TableCursor& table() { return *table_; }

  // Navigation within the range; each answers whether a record is current.
  bool go_first();
  bool go_last();
  // Moves up to n records (negative: back); answers how many it moved.
  int skip(int n);
  bool empty() const { return count_ == 0; }
  int count() const { return count_; }
  // Position of the current record in the range (1 .. count).
  int ordinal() const { return ordinal_; }

  // Display.
  void set_window(int top, int left, int bottom, int right);
  void set_colour(const std::string& scheme) { colour_ = scheme; }
  void add_column(const std::string& heading, int width, std::function<std::string()> value);
  // Recounts the range after a change and puts the pointer on a record of
  // it (the first when the current one left it).
  void refresh_all();
  // Draws the visible rows with the current one highlighted.
  void stabilize();
  // Moves for Up, Down, PgUp, PgDn, Ctrl+PgUp (first) and Ctrl+PgDn (last);
  // false for other keys.
  bool navigate(int code);
  int rows() const;

 private:
  struct Column {
    std::string heading;
    int width;
    std::function<std::string()> value;
  };
  bool step(int direction);
  bool in_range();
  std::string row_text();

  TableCursor* table_;
  Condition for_, while_;
  Action top_, bottom_;
  int count_ = 0;
  int ordinal_ = 0;
  uint32_t first_recno_ = 0;
  int top_row_ = 1, left_ = 1, bottom_row_ = 20, right_ = 78;
  std::string colour_;
  std::vector<Column> columns_;
  int row_pos_ = 0;
};

// The browse over `table` for the key-range and filtered consultations;
// takes the Ctrl+C hot key away (the main loop puts it back).
std::unique_ptr<Browse> TBROWSEFW(TableCursor& table, Browse::Condition for_cond,
                                  Browse::Condition while_cond, Browse::Action top,
                                  Browse::Action bottom);

}  // namespace kav
