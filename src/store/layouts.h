// The layouts of the permanent tables: every field in order with its type,
// width and decimals. Tables are created from these and brought up to them
// by the structure upgrade. A few tables are created in an older layout on
// purpose (their creation layout) and upgraded on their first opening.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "xbase/field.h"

namespace kav {

struct Layout {
  std::string_view table;   // file base name, "S_PRD"
  std::string_view fields;  // "PRD_UID C 7, PRD_CMP C 6, ..., PRD_VL_P N 15 2"
};

// Every current layout, one per table.
const std::vector<Layout>& current_layouts();

// The current layout of `table` (base name, any case), or null.
const Layout* find_layout(std::string_view table);

// The fields of the current layout of `table`.
Status layout_fields(std::string_view table, std::vector<xbase::FieldDef>* out);

// The fields a table is created with: the current layout, except for the
// tables that are created older and upgraded on first opening (S_RAS,
// S_RAPA, S_FORNEC).
Status creation_fields(std::string_view table, std::vector<xbase::FieldDef>* out);

// Names of the tables whose creation layout differs from the current one.
std::vector<std::string> older_creation_tables();

}  // namespace kav
