// A scratch program folder with a store on it and a recording of what the
// store showed; helpers to make, fill and inspect tables in it.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "store/recording_store_ui.h"
#include "store/store.h"
#include "xbase/table.h"

namespace kav::testing {

// Another process (a second copy of the program) holding a table open
// from construction to destruction.
class OtherProcessHolding {
 public:
  explicit OtherProcessHolding(const std::string& table_path);
  ~OtherProcessHolding();
  bool holding() const { return holding_; }

 private:
  int pid_ = -1;
  int release_ = -1;
  bool holding_ = false;
};

class StoreFixture : public ::testing::Test {
 protected:
  StoreFixture();
  ~StoreFixture() override;

  std::string file(const std::string& name) const { return dir_ + "/" + name; }
  bool file_exists(const std::string& name) const;
  // A new store on the same folder (the program started again).
  void Restart();

  // Creates `name` with the fields "A C 3, B N 5 2" and the rows given as
  // values in field order.
  void MakeTable(const std::string& name, const std::string& fields,
                 const std::vector<std::vector<std::string>>& rows = {});
  // Every visible record of an open table as its values joined by "|",
  // in the current order (texts right-trimmed).
  static std::vector<std::string> Rows(xbase::Table* t);
  // Runs a shell command in the folder; answers its exit status and output.
  int Sh(const std::string& command, std::string* out = nullptr) const;
  // Sets the modification time of a file (seconds since the epoch).
  void Touch(const std::string& name, long long when) const;

  std::string dir_;
  RecordingStoreUi ui_;
  std::unique_ptr<Store> store_;
};

}  // namespace kav::testing
