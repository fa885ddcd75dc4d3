// What the table store shows the operator. The store sits below the screen
// toolkit, so the program hands it an implementation of this interface
// (message line, waiting message, gauge, fatal end); tests record the calls.
#pragma once

#include <string>

namespace kav {

class StoreUi {
 public:
  virtual ~StoreUi() = default;

  // Writes `text` on the message line and goes on; "" clears the line.
  virtual void show_line(const std::string& text) = 0;
  // Shows `text` and waits for a key.
  virtual void show_and_wait(const std::string& text) = 0;

  // The percentage gauge: opened with a caption ("" = the default caption),
  // updated with 0..100, closed (the screen under it restored).
  virtual void gauge_open(const std::string& caption) = 0;
  virtual void gauge_update(double percent) = 0;
  virtual void gauge_close() = 0;

  // A programming or storage error the program cannot go on from: shows
  // `text` and ends the program. An implementation that returns (tests)
  // lets the store answer false.
  virtual void end_program(const std::string& text) = 0;
};

}  // namespace kav
