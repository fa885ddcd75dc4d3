// A browse cursor over an open table of the engine. A storage failure while
// moving ends the program with its message (the remedy is the last backup).
#pragma once

#include "shell/table_cursor.h"
#include "xbase/table.h"

namespace kav {

class DbfCursor : public TableCursor {
 public:
  explicit DbfCursor(xbase::Table* table) : t_(table) {}

  void go_top() override { check(t_->GoTop()); }
  void go_bottom() override { check(t_->GoBottom()); }
  void skip(int n) override { check(t_->Skip(n)); }
  void go_to(uint32_t recno) override { check(t_->GoTo(recno)); }
  bool seek(std::string_view key, bool soft) override {
    check(t_->Seek(key, soft));
    return t_->found();
  }
  void refresh() override { check(t_->GoTo(t_->recno())); }

  uint32_t recno() const override { return t_->recno(); }
  uint32_t record_count() const override { return t_->record_count(); }
  bool eof() const override { return t_->eof(); }
  bool bof() const override { return t_->bof(); }
  bool deleted() const override { return t_->deleted(); }
  std::string key() const override { return t_->current_key(); }
  void set_show_deleted(bool show) override { t_->set_show_deleted(show); }
  void delete_record() override { check(t_->Delete()); }

 private:
  void check(const Status& st) const;
  xbase::Table* t_;
};

// Ends the program after a storage failure the code does not foresee.
[[noreturn]] void storage_failure(const Status& st);

}  // namespace kav
