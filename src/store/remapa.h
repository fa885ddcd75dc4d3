// The structure upgrade: when a table opened by the store still has the
// layout of an older program version (told by marker fields), it is copied
// into a new table of the current layout, value fixes are applied, and the
// new file replaces the old one only once complete.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "xbase/field.h"
#include "xbase/table.h"

namespace kav {

class Store;

// The marker tests of `alias` on a table's fields: true when it must be
// rebuilt. Aliases without an upgrade never are.
bool needs_upgrade(const std::string& alias, const xbase::Table& t);

// Copies every record of `from` that is not marked deleted into `to`,
// field by field by name: fields `to` lacks are dropped, its new fields
// start blank (zero for numbers), longer texts are cut. A number that does
// not fit its new field fails the copy.
Status copy_records(xbase::Table* from, xbase::Table* to);

// Replaces the table open under `alias` with a copy in `fields`, under the
// scratch name TEMP.DBF until complete; its index files are deleted. The
// `fix` runs on the new table before it takes the old one's place.
// Messages: `title` + file name (wait), the copy line, the end (wait).
struct FixContext {
  Store& store;
  xbase::Table* table;                          // the new table
  const std::vector<xbase::Field>& old_fields;  // the layout it replaces
  bool had(std::string_view name) const;
};
using ValueFix = Status (*)(const FixContext& fix);
bool rebuild_table(Store& store, const std::string& alias,
                   const std::vector<xbase::FieldDef>& fields, const std::string& title,
                   ValueFix fix);

}  // namespace kav
