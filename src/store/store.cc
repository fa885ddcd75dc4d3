#include "store/store.h"

#include "base/file_resolver.h"
#include "base/latin1.h"
#include "xbase/ntx.h"

namespace kav {

namespace {

bool is_control_table(const CatalogEntry& e) { return e.alias == "CTR" || e.alias == "SS"; }
bool never_packed(const CatalogEntry& e) { return e.alias == "APA" || e.alias == "PAP"; }

}  // namespace

Store::Store(StoreContext ctx) : ctx_(std::move(ctx)) {}

Store::~Store() {
  Status ignored = ws_.CloseAll();
  (void)ignored;
}

std::string Store::path(std::string_view name) const {
  return resolve_or_same(ctx_.folder + "/" + std::string(name));
}

bool Store::exists(std::string_view name) const {
  return resolve_path(ctx_.folder + "/" + std::string(name)).has_value();
}

// Storage failures the program cannot go on from end it with a message;
// a table held by another program gets a message saying so.
bool Store::report(const std::string& what, const Status& st) {
  if (st.is_in_use()) {
    ui().end_program("ARQUIVO " + what +
                     " EM USO POR OUTRO PROGRAMA (OUTRA COPIA DO kav32 NESTA PASTA?)");
  } else {
    ui().end_program("ERRO NO ARQUIVO " + what + ": " + st.message() +
                     " - RESTAURE A ULTIMA COPIA DE SEGURANCA");
  }
  return false;
}

bool Store::USAR(const std::string& alias, bool force) {
  std::string upper = latin1_upper(alias);
  if (upper == "ABRINDO") {
    Status st = ws_.CloseAll();
    if (!st.ok()) ui().show_and_wait("ERRO AO FECHAR ARQUIVOS: " + st.message());
    if (folder_in_use()) return false;
    integrity_check();
    return true;
  }
  if (upper == "FECHANDO") {
    Status st = ws_.CloseAll();
    if (!st.ok()) {
      // Stamps of a table not written completely would hide stale indexes.
      ui().show_and_wait("ERRO AO FECHAR ARQUIVOS: " + st.message());
      return false;
    }
    write_stamps();
    return true;
  }
  if (upper == "NADA") return true;

  const CatalogEntry* e = find_catalog_entry(upper);
  if (e == nullptr) {
    ui().show_and_wait("SR(a). ANALISTA: NOME DESCONHECIDO = " + upper);
    return false;
  }
  WorkArea* area = ws_.find(e->alias);
  bool fresh = area == nullptr || area->entry != e;
  if (fresh) {
    if (!open_entry(*e)) return false;
    area = ws_.find(e->alias);
    if (area == nullptr) return false;
  } else {
    ws_.Select(e->alias);
  }
  // A table selected again keeps its record; a new or packed one starts at
  // its first record in order 1.
  uint32_t keep = fresh ? 0 : area->table->recno();
  if (force && !never_packed(*e) && !e->indexes.empty()) {
    Status st = area->table->CloseIndexes();
    if (st.ok()) st = area->table->Pack();
    if (!st.ok()) return report(e->table_file(), st);
    keep = 0;
  }
  if (!check_indexes(area, force, keep)) return false;
  if (fresh && is_control_table(*e) && !refuse_empty_control(area)) return false;
  ui().show_line("");
  return true;
}

bool Store::USAR(const std::string& mode, std::vector<std::string>* list) {
  if (latin1_upper(mode) != "NADA") return USAR(mode, false);
  *list = backup_list();
  return true;
}

bool Store::open_entry(const CatalogEntry& e) {
  if (!exists(e.table_file())) {
    ui().show_and_wait("Nao encontrei " + std::string(e.file));
    return false;
  }
  return TENTABRIR(std::string(e.file), std::string(e.alias));
}

bool Store::TENTABRIR(const std::string& file, const std::string& alias) {
  auto found = resolve_path(ctx_.folder + "/" + file + ".DBF");
  if (!found) return false;
  const CatalogEntry* e = find_catalog_entry(alias);
  if (e != nullptr && e->file != latin1_upper(file)) e = nullptr;
  Status st = ws_.Open(*found, alias, e);
  if (!st.ok()) return report(latin1_upper(file) + ".DBF", st);
  if (e == nullptr || FREMAPA(alias)) return true;
  // A table left in its old layout is not used.
  Status closed = ws_.Close(alias);
  (void)closed;
  return false;
}

Status Store::use_work_table(const std::string& file, const std::string& alias) {
  auto found = resolve_path(ctx_.folder + "/" + file);
  if (!found) return Status::NotFound("arquivo nao encontrado: " + file);
  return ws_.Open(*found, alias, nullptr);
}

// The control tables hold one record, the last one being the one used; a
// table without any is refused rather than read as a blank record.
bool Store::refuse_empty_control(WorkArea* area) {
  Status st = area->table->GoBottom();
  if (st.ok() && !area->table->eof()) return true;
  std::string file = area->entry->table_file();
  Status closed = ws_.Close(area->alias);
  (void)closed;
  if (!st.ok()) return report(file, st);
  ui().show_and_wait("ARQUIVO " + file + " SEM REGISTRO - RESTAURE A ULTIMA COPIA DE SEGURANCA");
  return false;
}

Status Store::build_index(xbase::Table* t, const CatalogIndex& ix) {
  ui().show_line("CRIANDO INDICE " + std::string(ix.tag));
  ui().gauge_open("");
  Status st = t->CreateIndex(path(std::string(ix.tag) + ".NTX"), ix.key, false,
                             [this](uint64_t done, uint64_t total) {
                               ui().gauge_update(total == 0 ? 100.0 : 100.0 * done / total);
                             });
  ui().gauge_close();
  return st;
}

namespace {

// The index file exists and holds the catalog key.
bool index_file_matches(const std::string& path, std::string_view key) {
  if (!resolve_path(path)) return false;
  std::unique_ptr<xbase::NtxIndex> ntx;
  if (!xbase::NtxIndex::Open(path, &ntx).ok()) return false;
  return normalised_key(ntx->header().expression) == normalised_key(key);
}

}  // namespace

bool Store::check_indexes(WorkArea* area, bool force, uint32_t keep) {
  const CatalogEntry& e = *area->entry;
  xbase::Table* t = area->table.get();
  if (e.indexes.empty()) return true;
  if (e.indexes.size() > 8) {
    ui().end_program("SR(A). ANALISTA : AUMENTAR CASE DO SET ORDER!");
    return false;
  }
  Status st = t->CloseIndexes();
  if (!st.ok()) return report(e.table_file(), st);
  for (const CatalogIndex& ix : e.indexes) {
    std::string file = path(std::string(ix.tag) + ".NTX");
    if (force || !index_file_matches(file, ix.key)) {
      st = build_index(t, ix);
      if (!st.ok()) return report(std::string(ix.tag) + ".NTX", st);
    }
  }
  for (const CatalogIndex& ix : e.indexes) {
    std::string file = path(std::string(ix.tag) + ".NTX");
    st = t->AttachIndex(file);
    if (!st.ok() && !st.is_in_use()) {
      // A file that does not fit the table (damaged, another structure).
      st = build_index(t, ix);
      if (st.ok()) st = t->AttachIndex(file);
    }
    if (!st.ok()) return report(std::string(ix.tag) + ".NTX", st);
  }
  st = t->SetOrder(1);
  if (st.ok()) st = keep ? t->GoTo(keep) : t->GoTop();
  if (!st.ok()) return report(e.table_file(), st);
  return true;
}

bool Store::rebuild_indexes(const std::string& alias) {
  WorkArea* area = ws_.find(alias);
  return area != nullptr && area->entry != nullptr && check_indexes(area, true, 0);
}

bool Store::select_order(const std::string& alias, std::string_view key) {
  WorkArea* area = ws_.find(alias);
  int order = area && area->entry ? order_of(*area->entry, key) : 0;
  if (order == 0) {
    ui().end_program("SR(A). ANALISTA : ORDEM INEXISTENTE " + latin1_upper(alias) + " " +
                     std::string(key));
    return false;
  }
  Status st = area->table->SetOrder(order);
  if (!st.ok()) return report(area->entry->table_file(), st);
  return true;
}

}  // namespace kav
