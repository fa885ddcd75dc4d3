// A dBASE III memo file (.DBT): 512-byte blocks, block 0 holds the next free
// block; each memo is its text followed by 0x1A 0x1A. Memos are only ever
// appended; a changed memo takes new blocks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "xbase/file.h"

namespace kav::xbase {

class MemoFile {
 public:
  static Status Create(const std::string& path);
  static Status Open(const std::string& path, std::unique_ptr<MemoFile>* out);

  // Block 0 means no memo (empty text).
  Status Read(uint32_t block, std::string* text) const;
  Status Write(std::string_view text, uint32_t* block);
  Status Flush();

 private:
  explicit MemoFile(std::unique_ptr<File> f, uint32_t next) : file_(std::move(f)), next_(next) {}
  std::unique_ptr<File> file_;
  uint32_t next_;
  bool dirty_ = false;
};

}  // namespace kav::xbase
