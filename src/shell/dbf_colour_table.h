// The colour table as the file S_COR.DBF of the program folder.
#pragma once

#include <string>

#include "shell/colour_table.h"

namespace kav {

class DbfColourTable : public ColourTable {
 public:
  // `folder` is the program folder ("." for the current one).
  explicit DbfColourTable(std::string folder = ".") : folder_(std::move(folder)) {}

  bool exists() override;
  Status create(const ColourRecord& first) override;
  Status read_all(std::vector<ColourRecord>* records) override;

 private:
  std::string path() const { return folder_ + "/S_COR.DBF"; }
  std::string folder_;
};

}  // namespace kav
