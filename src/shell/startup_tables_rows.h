// Row work shared by the start-up's table steps: named fields of the
// control records, walks over a table, deletions, packing and emptying.
// Storage failures are reported through the store (which ends the program)
// and answered false.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "xbase/table.h"

namespace kav::startup {

// The table of `alias`, opened (or selected again) through USAR with order
// 1 current; null when it cannot be opened (USAR said why).
xbase::Table* open(const std::string& alias);


// Reports a failure of `st` on the file of `t` and answers false; true
// when `st` is ok.
bool checked(const xbase::Table& t, const Status& st);

// What a walk does after a record.
enum class Step { kNext, kStop, kFailed };
// Visits each visible record of `t` in its current order from the top
// until `visit` answers kStop or kFailed (reported by it: false).
bool walk(xbase::Table* t, const std::function<Step(xbase::Table&)>& visit);

using RowTest = std::function<bool(const xbase::Table&)>;
// Marks deleted the visible records of `alias` that `doomed` picks, in
// order 1 from the top, stopping at the first record `past` picks (null:
// the whole table); *count is how many were marked.
bool delete_rows(const std::string& alias, const RowTest& doomed, const RowTest& past, int* count);

// Physically removes the deleted records of the open `alias` (gauge shown).
bool pack(const std::string& alias);
// Removes every record of `alias`.
bool zap(const std::string& alias);
// Closes `alias` when it is open.
bool close(const std::string& alias);

}  // namespace kav::startup
