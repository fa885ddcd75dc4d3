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

// A field of the current record of the catalog table `alias` (the control
// records S_CTR and S_SS stand on their one record), opened through USAR
// when it is not open; "" when it cannot be opened or has no such field.
std::string control_field(const std::string& alias, std::string_view name);
// Stores a field of the current record of `alias` (opened when needed) and
// writes it out. A storage failure ends the program through the store's
// UI; false when the table cannot be opened.
bool set_control_field(const std::string& alias, std::string_view name, std::string_view value);

}  // namespace kav
