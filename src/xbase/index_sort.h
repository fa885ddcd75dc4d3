// Collects (key, record) entries for a new index and writes the index in
// key order. Entries beyond a memory budget are sorted in runs on disk and
// merged, so memory stays flat whatever the table size. A unique index
// keeps the first record of each key.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace kav::xbase {

class IndexSorter {
 public:
  // `scratch` names the index being built; runs are written beside it.
  IndexSorter(int key_size, bool unique, std::string scratch, size_t budget_bytes = 64u << 20);
  ~IndexSorter();

  Status Add(std::string_view key, uint32_t recno);
  Status Write(const std::string& ntx_path, std::string_view expression, int decimals);

 private:
  Status SpillRun();
  void SortBuffer(std::vector<uint32_t>* order) const;

  int key_size_;
  size_t entry_;
  bool unique_;
  std::string scratch_;
  size_t budget_;
  std::vector<char> buf_;
  std::vector<std::string> runs_;
};

}  // namespace kav::xbase
