// The table store of the program folder: opens catalog tables by alias
// with their indexes (USAR), brings structures up to date on opening,
// checks at start that index files still belong to their tables and
// records their stamps at every orderly close (S_CARTEM.DBI).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "store/catalog.h"
#include "store/store_ui.h"
#include "store/workspace.h"

namespace kav {

// What the store reads from the rest of the program.
struct StoreContext {
  std::string folder = ".";  // the program folder
  StoreUi* ui = nullptr;
  // The feature switch and the competence shown in the header; both read
  // by the backup list.
  std::function<std::string()> CTEST_FUNCAO = [] { return std::string(); };
  std::function<std::string()> CCMP_KAV = [] { return std::string(); };
};

class Store {
 public:
  explicit Store(StoreContext ctx);
  ~Store();  // closes the tables without recording stamps
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  // USAR(alias, force): the table open and selected, its indexes checked
  // and attached, order 1 current. A table just opened stands at its first
  // record in order 1 (S_CTR and S_SS on their last record, the control
  // record); one that was open keeps its record. Force rebuilds every
  // index, packing first (never APA or PAP; a packed table starts again
  // at its first record).
  // USAR("ABRINDO"): close everything and run the integrity check (false,
  // with nothing deleted, when another program holds a table).
  // USAR("FECHANDO"): close everything and write S_CARTEM.DBI.
  bool USAR(const std::string& alias, bool force = false);
  // USAR("NADA", list): the files a backup saves.
  bool USAR(const std::string& mode, std::vector<std::string>* list);

  // Opens the table `file` (base name) under `alias` and applies the
  // structure upgrade. False when missing (silently) or failed (reported).
  bool TENTABRIR(const std::string& file, const std::string& alias);
  // Structure upgrade of the table just opened under `alias`.
  bool FREMAPA(const std::string& alias);
  // Value-table layout fix of the start-up: rebuilds S_VPA when its value
  // fields differ from the current layout.
  bool REFOVPA();

  // Opens a work table (not in the catalog) under an alias, closing what
  // had that alias; the file is looked up ignoring case.
  Status use_work_table(const std::string& file, const std::string& alias);
  // Makes current the order of `alias` whose catalog key is `key`.
  bool select_order(const std::string& alias, std::string_view key);

  Workspace& workspace() { return ws_; }
  xbase::Table* table(std::string_view alias) { return ws_.table(alias); }
  StoreUi& ui() { return *ctx_.ui; }
  const StoreContext& context() const { return ctx_; }
  // A file of the program folder: its existing spelling, or `name` as given.
  std::string path(std::string_view name) const;
  bool exists(std::string_view name) const;

  // Rebuilds the indexes of `alias` (open) from the table, with the gauge.
  bool rebuild_indexes(const std::string& alias);

 private:
  bool open_entry(const CatalogEntry& e);
  // Checks, builds and attaches the indexes of `area`; order 1 becomes
  // current, on record `keep` (0: the first record in that order).
  bool check_indexes(WorkArea* area, bool force, uint32_t keep);
  Status build_index(xbase::Table* t, const CatalogIndex& ix);
  bool refuse_empty_control(WorkArea* area);
  bool report(const std::string& what, const Status& st);

  // Integrity file.
  bool folder_in_use();
  void integrity_check();
  void delete_all_indexes();
  void delete_index_file(const CatalogIndex& ix);
  void write_stamps();
  std::vector<std::string> backup_list() const;

  StoreContext ctx_;
  Workspace ws_;
};

// The name of the integrity file and the mark of this catalog layout.
inline constexpr const char* kIntegrityFile = "S_CARTEM.DBI";
inline constexpr const char* kCatalogMark = "VERSAO.1606";

}  // namespace kav
