// The scroll bar of lists: a track of light shade in one column with a
// dark-shade thumb at the position of the current item.
#pragma once

#include "platform/screen.h"

namespace kav {

class ScrollBar {
 public:
  // The track runs from row top + 1 to bottom - 1 of column `col`.
  ScrollBar(int top, int bottom, int col, Attr attr) : top_(top), bottom_(bottom), col_(col), attr_(attr) {}

  // Thumb row offset (1 .. H) for item k of n over a track of H rows.
  static int position(int k, int n, int track_height);

  void draw_track();
  // Moves the thumb to item k of n; redraws only when it moves.
  void update(int k, int n);

 private:
  int top_, bottom_, col_;
  Attr attr_;
  int thumb_ = 0;
};

}  // namespace kav
