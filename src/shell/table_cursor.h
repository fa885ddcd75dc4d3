// The current table and index as browses and key ranges move over them,
// with dBASE navigation: skipping back from the first record sets bof and
// stays there; skipping on from the last reaches the blank phantom record
// (eof). Records marked deleted are passed over unless shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

class TableCursor {
 public:
  virtual ~TableCursor() = default;

  virtual void go_top() = 0;
  virtual void go_bottom() = 0;
  virtual void skip(int n) = 0;
  // Any record by number; beyond the last, the phantom.
  virtual void go_to(uint32_t recno) = 0;
  void go_phantom() { go_to(record_count() + 1); }
  // Seeks on the current index; a shorter key matches as a prefix. Not
  // found: the phantom, or with `soft` the next key. Answers found.
  virtual bool seek(std::string_view key, bool soft) = 0;
  // Re-reads the current record.
  virtual void refresh() = 0;

  virtual uint32_t recno() const = 0;
  // Physical count, deleted records included.
  virtual uint32_t record_count() const = 0;
  virtual bool eof() const = 0;
  virtual bool bof() const = 0;
  virtual bool deleted() const = 0;
  // Key value of the current record in the current index.
  virtual std::string key() const = 0;

  virtual void set_show_deleted(bool show) = 0;
  // Marks the current record deleted.
  virtual void delete_record() = 0;
};

}  // namespace kav
