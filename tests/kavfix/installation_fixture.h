// Folders made by kavfix in a scratch folder, and what tests read back
// from them through the store.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "installation.h"
#include "temp_dir.h"

namespace kav::kavfix::testing {

class InstallationTest : public ::testing::Test {
 protected:
  // The folder the installation goes into (not made beforehand).
  std::string dir() const { return tmp_ / "inst"; }

  // Completes and installs `spec` into dir() with the build's cadcheck.so.
  Status Install(InstallSpec spec, bool force = false);

  // Opens every catalog table of `folder` through a new store as the
  // program does at start (integrity check first) and closes them in
  // order; answers what the store showed, empty message-line clears left out.
  static std::vector<std::string> OpenEverything(const std::string& folder);

  // The trimmed fields of the last record of `table` (base name).
  static std::map<std::string, std::string> LastRecord(const std::string& folder,
                                                       const std::string& table);
  // Every table of `folder` as python3-dbf reads it: file name and
  // record count. Fails the test when python3-dbf cannot read one.
  static std::map<std::string, int> PythonTables(const std::string& folder);
  // Record count of `table` (base name), deleted ones included.
  static uint32_t RecordCount(const std::string& folder, const std::string& table);

  TempDir tmp_;
};

}  // namespace kav::kavfix::testing
