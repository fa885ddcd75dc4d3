// A Clipper NTX index file: one order, a B-tree of 1024-byte pages whose
// items are (left page, record number, key). Equal keys are kept in record
// number order. A cursor walks the entries in key order.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "xbase/file.h"
#include "xbase/page_cache.h"

namespace kav::xbase {

struct NtxHeader {
  uint16_t signature = 6;
  uint16_t version = 1;
  uint32_t root = 0;
  uint32_t next_free = 0;
  uint16_t item_size = 0;
  uint16_t key_size = 0;
  uint16_t decimals = 0;
  uint16_t max_item = 0;
  uint16_t half_page = 0;
  std::string expression;
  bool unique = false;
};

// Supplies the entries of a new index in order; answers false at the end.
using EntrySource = std::function<Status(std::string_view* key, uint32_t* recno, bool* more)>;

class NtxIndex {
 public:
  // Writes a complete index from exactly `count` entries supplied in
  // (key, record) order, replacing any file at `path` only when complete.
  static Status Build(const std::string& path, std::string_view expression, int key_size,
                      int decimals, bool unique, uint64_t count, const EntrySource& source);
  static Status Open(const std::string& path, std::unique_ptr<NtxIndex>* out);
  ~NtxIndex();

  const std::string& path() const { return file_->path(); }
  const NtxHeader& header() const { return hdr_; }
  int key_size() const { return hdr_.key_size; }
  bool unique() const { return hdr_.unique; }

  // Maintenance. Insert of a key already present in a unique index does
  // nothing. Inserts may be held back and applied in key order before the
  // next read of the index (bulk appends).
  Status Insert(std::string_view key, uint32_t recno);
  void InsertLater(std::string_view key, uint32_t recno);
  Status Remove(std::string_view key, uint32_t recno);
  Status Flush();

  // Cursor. Keys shorter than the key size match as prefixes.
  Status First();
  Status Last();
  // Positions on the first entry whose key (cut to the length of `key`) is
  // not below `key`; *exact tells whether it equals `key`.
  Status Seek(std::string_view key, bool* exact);
  // Positions on the entry (key, recno), or the first one after it.
  Status SeekEntry(std::string_view key, uint32_t recno);
  Status Next();
  Status Prev();
  bool valid() const { return valid_; }
  std::string_view key() const { return cur_key_; }
  uint32_t recno() const { return cur_recno_; }

  // Walks every entry in order (checks and tools).
  Status ForEach(const std::function<Status(std::string_view key, uint32_t recno)>& fn);

 private:
  struct Item {
    uint32_t child = 0;
    uint32_t recno = 0;
    std::string key;
  };
  struct Node {
    std::vector<Item> items;
    uint32_t right = 0;  // child after the last key (0 in leaves)
    bool leaf() const { return right == 0 && (items.empty() || items[0].child == 0); }
  };
  struct Frame {
    uint32_t page;
    int idx;
  };

  NtxIndex(std::unique_ptr<File> file, NtxHeader hdr);
  Status ApplyPending();
  Status Page(uint32_t offset, char** p);
  Status LoadNode(uint32_t offset, Node* n);
  Status StoreNode(uint32_t offset, const Node& n);
  Status NewNode(const Node& n, uint32_t* offset);
  Status WriteHeader();
  int Compare(const char* a, std::string_view key, uint32_t a_rec, uint32_t b_rec) const;
  Status LoadCurrent();
  Status DescendLeftmost(uint32_t page);
  Status DescendRightmost(uint32_t page);
  Status ClimbAfter();
  Status ClimbBefore();
  Status InsertAt(std::vector<Frame>& path, Item item, uint32_t right_sibling);
  Status RemoveLeafItem(std::vector<Frame>& path);
  Status FixUnderflow(std::vector<Frame>& path);
  Status LowerBound(std::string_view key, bool with_rec, uint32_t recno, std::vector<Frame>* path);

  std::unique_ptr<File> file_;
  NtxHeader hdr_;
  PageCache cache_;
  bool header_dirty_ = false;
  std::vector<char> pending_;  // held-back inserts: key bytes then 4-byte record number
  size_t pending_count_ = 0;

  std::vector<Frame> stack_;
  bool valid_ = false;
  bool stale_ = false;  // the tree changed since the cursor was placed
  std::string cur_key_;
  uint32_t cur_recno_ = 0;
};

// Header fields that follow from a key size.
void ntx_geometry(int key_size, NtxHeader* h);

}  // namespace kav::xbase
