// The catalog of the program's tables: for each alias its file base name
// (the table is base + ".DBF") and its indexes in order (tag + ".NTX", one
// order per file, and the key). Order 1 is selected after opening; callers
// choose other orders by key through order_of().
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kav {

struct CatalogIndex {
  std::string_view tag;
  std::string_view key;
};

struct CatalogEntry {
  std::string_view alias;
  std::string_view file;
  std::vector<CatalogIndex> indexes;

  std::string table_file() const { return std::string(file) + ".DBF"; }
};

// The 55 entries in catalog order.
const std::vector<CatalogEntry>& catalog();

// The entry of `alias` (any case), or null.
const CatalogEntry* find_catalog_entry(std::string_view alias);

// Position (1-based) of the index of `entry` whose key is `key` (compared
// ignoring blanks and case), or 0.
int order_of(const CatalogEntry& entry, std::string_view key);

// Key texts compared as the index check compares them: blanks dropped,
// upper case.
std::string normalised_key(std::string_view key);

}  // namespace kav
