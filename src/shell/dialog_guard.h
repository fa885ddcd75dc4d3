// What every dialog saves on entry and puts back on return: the colour, the
// cursor position and shape, and the output device (set to the screen
// meanwhile).
#pragma once

#include <string>

#include "platform/screen.h"

namespace kav {

class DialogGuard {
 public:
  // `shape` is the cursor shape during the dialog.
  explicit DialogGuard(CursorShape shape = CursorShape::kHidden);
  ~DialogGuard();
  DialogGuard(const DialogGuard&) = delete;
  DialogGuard& operator=(const DialogGuard&) = delete;

 private:
  std::string colour_;
  std::string device_;
  int row_, col_;
  CursorShape shape_;
};

}  // namespace kav
