// A bounded write-back cache of the 1024-byte pages of one index file.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "base/status.h"
#include "xbase/file.h"

namespace kav::xbase {

constexpr int kPageSize = 1024;

class PageCache {
 public:
  PageCache(File* file, size_t capacity_pages);

  // Returns the page at byte offset `offset` (a multiple of kPageSize inside
  // the file); the pointer stays valid until the next Get or Allocate.
  Status Get(uint32_t offset, char** page);
  // Marks the page last returned for `offset` as changed.
  void MarkDirty(uint32_t offset);
  // A new zeroed page at the end of the file.
  Status Allocate(uint32_t* offset, char** page);
  Status FlushAll();
  uint64_t file_end() const { return end_; }

 private:
  struct Frame {
    uint32_t offset = 0;
    bool used = false;
    bool dirty = false;
    bool referenced = false;
    char data[kPageSize];
  };
  Status Victim(Frame** out);
  Status WriteFrame(Frame* f);

  File* file_;
  size_t capacity_;
  std::vector<std::unique_ptr<Frame>> frames_;
  std::unordered_map<uint32_t, Frame*> map_;
  size_t hand_ = 0;
  uint64_t end_;
};

}  // namespace kav::xbase
