// A cursor over rows held in memory (record n is row n - 1), for browses of
// lists such as the report files.
#pragma once

#include <vector>

#include "shell/table_cursor.h"

namespace kav {

class ArrayCursor : public TableCursor {
 public:
  explicit ArrayCursor(size_t rows) : deleted_(rows, false) { go_top(); }

  void go_top() override;
  void go_bottom() override;
  void skip(int n) override;
  void go_to(uint32_t recno) override;
  bool seek(std::string_view, bool) override { go_phantom(); return false; }
  void refresh() override {}

  uint32_t recno() const override { return recno_; }
  uint32_t record_count() const override { return uint32_t(deleted_.size()); }
  bool eof() const override { return eof_; }
  bool bof() const override { return bof_; }
  bool deleted() const override { return !eof_ && deleted_[recno_ - 1]; }
  std::string key() const override { return ""; }
  void set_show_deleted(bool show) override { show_deleted_ = show; }
  void delete_record() override {
    if (!eof_) deleted_[recno_ - 1] = true;
  }

  // Row index of the current record.
  size_t row() const { return recno_ - 1; }

 private:
  bool visible(uint32_t n) const { return show_deleted_ || !deleted_[n - 1]; }

  std::vector<bool> deleted_;
  uint32_t recno_ = 1;
  bool eof_ = true, bof_ = true;
  bool show_deleted_ = false;
};

}  // namespace kav
