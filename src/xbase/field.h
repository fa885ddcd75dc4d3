// Field definitions of a dBASE III table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace kav::xbase {

struct FieldDef {
  std::string name;  // at most 10 characters, kept in upper case
  char type = 'C';   // C text, N number, D date, L logical, M memo
  int width = 0;     // N counts sign and decimal point
  int decimals = 0;
};

// A field as laid out in a record: `offset` counts the deletion flag byte.
struct Field {
  FieldDef def;
  int offset = 0;
};

// Checks a definition and normalises it: name cut to 10 characters and upper
// cased, fixed widths for D (8), L (1) and M (10).
Status normalise_field(FieldDef* f);

// Parses "NAME C 10, QTD N 8 0, DT D, OK L, OBS M".
Status parse_field_list(std::string_view text, std::vector<FieldDef>* out);

}  // namespace kav::xbase
