#include "shell/dialog_guard.h"

#include "shell/shell_state.h"

namespace kav {

DialogGuard::DialogGuard(CursorShape shape)
    : colour_(shell().colour),
      device_(shell().device),
      row_(screen().cursor_row()),
      col_(screen().cursor_col()),
      shape_(screen().cursor_shape()) {
  shell().device = "SCREEN";
  screen().set_cursor_shape(shape);
}

DialogGuard::~DialogGuard() {
  shell().colour = colour_;
  shell().device = device_;
  screen().set_cursor(row_, col_);
  screen().set_cursor_shape(shape_);
}

}  // namespace kav
