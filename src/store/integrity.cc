// The index integrity file: stamps recorded at every orderly close and
// compared at the next start, so that index files whose table (or which
// themselves) changed outside the program are deleted and rebuilt on use.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "base/file_resolver.h"
#include "store/array_file.h"
#include "store/file_stamp.h"
#include "store/store.h"
#include "xbase/file.h"

namespace kav {

namespace {

const char kAllReindexed[] = " - TODOS ARQUIVOS SERAO REINDEXADOS";

std::string index_file(const CatalogIndex& ix) { return std::string(ix.tag) + ".NTX"; }

}  // namespace

void Store::delete_index_file(const CatalogIndex& ix) {
  auto found = resolve_path(ctx_.folder + "/" + index_file(ix));
  if (!found || ::unlink(found->c_str()) == 0 || errno == ENOENT) return;
  char code[16];
  std::snprintf(code, sizeof code, "%02d", errno);
  ui().show_line("APAGANDO " + std::string(ix.tag) + " - ERRO D.O.S. CODIGO = " + code);
}

void Store::delete_all_indexes() {
  for (const CatalogEntry& e : catalog())
    for (const CatalogIndex& ix : e.indexes) delete_index_file(ix);
}

// A table held by another copy of the program: its index files are in use
// and must not be deleted under it.
bool Store::folder_in_use() {
  for (const CatalogEntry& e : catalog()) {
    auto found = resolve_path(ctx_.folder + "/" + e.table_file());
    if (!found) continue;
    std::unique_ptr<xbase::File> probe;
    Status st = xbase::File::Open(*found, &probe);
    if (st.is_in_use()) return !report(e.table_file(), st);
  }
  return false;
}

void Store::integrity_check() {
  if (!exists(kIntegrityFile)) {
    ui().show_and_wait(std::string("3. ARQUIVO S_CARTEM.DBI INEXISTENTE") + kAllReindexed);
    delete_all_indexes();
    return;
  }
  ArrayList list;
  Status read = RESTARRAY(path(kIntegrityFile), &list);
  (void)read;  // a damaged file shows in the element count
  const std::vector<CatalogEntry>& cat = catalog();
  if (list.size() != cat.size() + 1 || list.back() != ArrayItem::Text(kCatalogMark)) {
    ui().show_and_wait(std::string("1. ESTRUTURA DIFERENTE") + kAllReindexed);
    delete_all_indexes();
    return;
  }
  for (size_t i = 0; i < cat.size(); ++i) {
    if (list[i].type != 'A' || list[i].items.size() != cat[i].indexes.size() + 1) {
      ui().show_and_wait(std::string("2. ESTRUTURA DIFERENTE") + kAllReindexed);
      delete_all_indexes();
      return;
    }
  }
  for (size_t i = 0; i < cat.size(); ++i) {
    const CatalogEntry& e = cat[i];
    const ArrayList& stored = list[i].items;
    bool table_changed = FDIR_DBI(path(e.table_file())) != stored[0].text;
    for (size_t j = 0; j < e.indexes.size(); ++j) {
      if (table_changed || FDIR_DBI(path(index_file(e.indexes[j]))) != stored[j + 1].text)
        delete_index_file(e.indexes[j]);
    }
  }
}

void Store::write_stamps() {
  ArrayList list;
  for (const CatalogEntry& e : catalog()) {
    ArrayList stamps;
    stamps.push_back(
        ArrayItem::Text(exists(e.table_file()) ? FDIR_DBI(path(e.table_file())) : "XXXX"));
    for (const CatalogIndex& ix : e.indexes) {
      std::string f = index_file(ix);
      stamps.push_back(ArrayItem::Text(exists(f) ? FDIR_DBI(path(f)) : "IIII"));
    }
    list.push_back(ArrayItem::List(std::move(stamps)));
  }
  list.push_back(ArrayItem::Text(kCatalogMark));
  Status st = SAVEARRAY(list, path(kIntegrityFile));
  if (!st.ok()) ui().show_and_wait("ERRO AO GRAVAR S_CARTEM.DBI: " + st.message());
}

std::vector<std::string> Store::backup_list() const {
  std::vector<std::string> out;
  for (const CatalogEntry& e : catalog()) out.push_back(e.table_file());
  for (const char* f : {"S_BPI.DBF", "S_BPIHST.DBF", "S_PRD.DBF", "S_CDN.DBT", "S_CD.DBT",
                        "CONFIMP.DBF", "S_USAKAV.DBI", "S_TPCRD.DBF"})
    out.push_back(f);
  if (ctx_.CTEST_FUNCAO() != "VERKAV")
    for (const char* f : {"APA.DBF", "IPU.DBF", "EMU.DBF", "SRV.DBF", "RAS.DBF"}) out.push_back(f);
  if (ctx_.CCMP_KAV() == "201212") out.push_back("s_prdrep.DBF");
  return out;
}

}  // namespace kav
