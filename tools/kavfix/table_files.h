// Tables written as whole files, the way the reference-table kit brings
// them: a layout and rows of values. Also the layouts of the tables the
// program reads but never creates (their widths are ours).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "xbase/field.h"

namespace kav::kavfix {

// Rows of one table: `columns` names the fields the rows fill, in order
// ("PACBO_CMP, PACBO_PA, PACBO_CBO"); each row holds their values joined
// by "|". Fields not named stay blank (zero for numbers).
struct TableRows {
  std::string_view file;  // base name, "S_PACBO"
  std::string_view columns;
  std::vector<std::string> rows;
};

// The layout a kit table is written with: the kit's own where it differs
// from the program's (or the program has none), else the program's.
Status kit_fields(std::string_view file, std::vector<xbase::FieldDef>* out);

// True when the program has no layout of its own for `file` and so never
// creates it.
bool only_kit_layout(std::string_view file);

// Creates `folder`/`file`.DBF (which must not exist) holding the rows.
Status write_table(const std::string& folder, const TableRows& table);

}  // namespace kav::kavfix
