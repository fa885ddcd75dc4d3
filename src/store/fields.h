// Fields of the current record by name, for code that reads and writes a
// few named fields of a catalog table.
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"
#include "xbase/table.h"

namespace kav {

// The field's raw text ("" when the table has no such field or stands at
// the end).
std::string field_value(const xbase::Table& t, std::string_view name);
// Whether the table has the field.
bool has_field(const xbase::Table& t, std::string_view name);
// Stores `value` in the field (padded or cut to its width by the engine).
Status put_value(xbase::Table& t, std::string_view name, std::string_view value);

}  // namespace kav
