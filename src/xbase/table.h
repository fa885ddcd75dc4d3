// A dBASE III table opened exclusively, with its memo file and any number of
// attached NTX indexes kept up to date on every write. Navigation follows
// the current order (0 = record order, n = the n-th attached index) and skips
// records marked deleted (unless shown) and records the filter refuses.
// Past the last record the table stands on the blank phantom record
// (recno() == record_count() + 1, eof() true).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/status.h"
#include "xbase/field.h"
#include "xbase/file.h"
#include "xbase/key_expr.h"
#include "xbase/memo.h"
#include "xbase/ntx.h"

namespace kav {
class ReplacingFile;
}

namespace kav::xbase {

// Called during long work with (done, total).
using Progress = std::function<void(uint64_t done, uint64_t total)>;

class Table {
 public:
  // Creates an empty table (and its .DBT when a field is a memo). Fails when
  // the file exists.
  static Status Create(const std::string& path, const std::vector<FieldDef>& fields);
  static Status Open(const std::string& path, std::unique_ptr<Table>* out);
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Writes everything pending and releases the files; errors are reported
  // here (the destructor closes silently).
  Status Close();
  Status Flush();

  // Structure.
  const std::string& path() const { return path_; }
  const std::vector<Field>& fields() const { return fields_; }
  int field_index(std::string_view name) const;  // -1 when absent; any case
  int record_length() const { return rec_len_; }
  uint32_t record_count() const { return count_; }  // deleted records included
  uint8_t version() const { return version_; }

  // Position.
  uint32_t recno() const { return cur_; }
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  bool found() const { return found_; }
  Status GoTo(uint32_t recno);  // any record, visible or not; beyond the end: phantom
  Status GoTop();
  Status GoBottom();
  Status Skip(int64_t n = 1);

  // Visibility.
  void set_show_deleted(bool show) { show_deleted_ = show; }
  void set_filter(std::function<bool(const Table&)> filter) { filter_ = std::move(filter); }

  // The current record.
  bool deleted() const { return rec_[0] == '*'; }
  std::string_view raw(int field) const;
  std::string_view raw_record() const { return rec_; }
  Status memo(int field, std::string* text) const;
  // Puts a value by type: C padded or cut, N reformatted to its width and
  // decimals (a value that does not fit is an error), D "YYYYMMDD" or blank,
  // L T/F, M the memo text.
  Status put(int field, std::string_view value);
  // Puts bytes exactly (padded with blanks or cut to the width).
  Status put_raw(int field, std::string_view bytes);

  Status Append();  // a new blank record becomes current
  Status Delete();
  Status Recall();
  Status Pack(const Progress& progress = nullptr);
  Status Zap();

  // Indexes.
  Status CreateIndex(const std::string& ntx_path, std::string_view key_expr, bool unique,
                     const Progress& progress = nullptr);
  Status AttachIndex(const std::string& ntx_path);
  Status CloseIndexes();
  int index_count() const { return static_cast<int>(indexes_.size()); }
  const NtxIndex& index(int order) const { return *indexes_[order - 1].ntx; }
  const KeyExpr& index_key(int order) const { return indexes_[order - 1].key; }
  Status SetOrder(int order);
  int order() const { return order_; }
  // Seeks on the current order; a key shorter than the index key matches
  // as a prefix. Not found: phantom, unless soft (then the next key).
  Status Seek(std::string_view key, bool soft = false);
  std::string current_key() const;  // key of the current record in the current order

 private:
  struct Index {
    std::unique_ptr<NtxIndex> ntx;
    KeyExpr key;
    std::string old_key;  // key of the current record before it changed
  };

  Table() = default;
  Status ReadHeader();
  Status WriteHeader();
  Status Commit();
  Status Load(uint32_t recno);
  void LoadPhantom();
  Status ReadRecord(uint32_t recno, char* dst);
  Status FlushAppends();
  Status MarkDirty();
  bool Visible() const;
  Status GoEnd(bool top);
  Status SkipInvisible(bool forward);
  Status NaturalStep(bool forward, bool* moved);
  Status IndexStep(bool forward, bool* moved);
  Status PlaceIndexCursor(NtxIndex* ntx);
  Status ReplaceBody(uint32_t keep_count, const std::function<Status(ReplacingFile&)>& body);
  Status ReopenAfterReplace();
  Status RebuildIndexes(const Progress& progress);
  Status ScanRecords(const std::function<Status(uint32_t recno, const char* rec)>& fn,
                     const Progress& progress);

  std::string path_;
  std::unique_ptr<File> file_;
  std::unique_ptr<MemoFile> memo_;
  uint8_t version_ = 0x03;
  uint32_t header_len_ = 0;
  int rec_len_ = 0;
  uint32_t count_ = 0;
  std::vector<Field> fields_;
  std::unordered_map<std::string, int> by_name_;

  uint32_t cur_ = 1;
  bool eof_ = true, bof_ = true, found_ = false;
  std::string rec_;
  bool dirty_ = false;
  bool is_new_ = false;
  bool changed_ = false;  // header date and count to be written

  // Sequential reads come from a window of whole records.
  std::vector<char> window_;
  uint32_t window_first_ = 0, window_count_ = 0, last_loaded_ = 0;
  // Appended records not yet written: records disk_count_+1 .. count_.
  std::string appends_;
  uint32_t disk_count_ = 0;

  std::vector<Index> indexes_;
  int order_ = 0;
  bool show_deleted_ = false;
  std::function<bool(const Table&)> filter_;
};

}  // namespace kav::xbase
