// A toolkit on a script console with a colour table in memory and a fixed
// clock, for the toolkit's tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "platform/script_console.h"
#include "shell/colour_table.h"
#include "shell/shell_state.h"

namespace kav {

// Colour records kept in memory.
class MemoryColourTable : public ColourTable {
 public:
  bool exists() override { return !records.empty(); }
  Status create(const ColourRecord& first) override {
    ++creations;
    records = {first};
    return Status::Ok();
  }
  Status read_all(std::vector<ColourRecord>* out) override {
    *out = records;
    return Status::Ok();
  }
  std::vector<ColourRecord> records;
  int creations = 0;
};

// Starts the toolkit on a new script console running `keys`, with colours
// from `colours`; a script that runs out fails the test.
void start_toolkit(const std::string& keys, MemoryColourTable* colours,
                   std::unique_ptr<ScriptConsole>* console);

class ToolkitTest : public ::testing::Test {
 protected:
  ToolkitTest();
  ~ToolkitTest() override;

  // Starts the toolkit with `keys` as the script.
  void start(const std::string& keys);
  // Text of one screen row as Latin-1 (other glyphs as '?'), current or at the n-th wait.
  std::string row(int r) const;
  std::string row_at_wait(size_t wait, int r) const;
  const Screen& at_wait(size_t wait) const { return console->screens().at(wait); }
  size_t waits() const { return console->screens().size(); }

  std::unique_ptr<ScriptConsole> console;
  MemoryColourTable colours;
  FixedClock clock;
  ScopedClock scoped_clock;
};

}  // namespace kav
