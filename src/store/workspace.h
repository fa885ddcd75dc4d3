// The work areas: every open table under its alias, one of them selected.
// An alias names one table at a time: opening a table under an alias in
// use closes the table that had it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "store/catalog.h"
#include "xbase/table.h"

namespace kav {

struct WorkArea {
  std::string alias;                    // upper case
  std::string path;                     // the file as opened
  const CatalogEntry* entry = nullptr;  // null for work tables
  std::unique_ptr<xbase::Table> table;
};

class Workspace {
 public:
  // Opens `path` under `alias` and selects it; a table already under that
  // alias is closed first.
  Status Open(const std::string& path, std::string_view alias, const CatalogEntry* entry);
  WorkArea* find(std::string_view alias);
  xbase::Table* table(std::string_view alias);
  bool Select(std::string_view alias);
  WorkArea* selected();

  Status Close(std::string_view alias);
  // Closes every table; the first error is answered, all are closed.
  Status CloseAll();

 private:
  void Adopt(std::unique_ptr<xbase::Table> table, const std::string& path, std::string_view alias,
             const CatalogEntry* entry);

  std::vector<std::unique_ptr<WorkArea>> areas_;
  std::string selected_;
};

}  // namespace kav
