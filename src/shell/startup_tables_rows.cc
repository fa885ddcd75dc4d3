#include "shell/startup_tables_rows.h"

#include <filesystem>

#include "shell/gauge.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav::startup {

xbase::Table* open(const std::string& alias) {
  return USAR(alias) ? store().table(alias) : nullptr;
}

bool checked(const xbase::Table& t, const Status& st) {
  if (st.ok()) return true;
  const std::string file = std::filesystem::path(t.path()).filename().string();
  store().ui().end_program("ERRO NO ARQUIVO " + file + ": " + st.message() +
                           " - RESTAURE A ULTIMA COPIA DE SEGURANCA");
  return false;
}

bool walk(xbase::Table* t, const std::function<Step(xbase::Table&)>& visit) {
  if (!checked(*t, t->GoTop())) return false;
  while (!t->eof()) {
    switch (visit(*t)) {
      case Step::kStop:
        return true;
      case Step::kFailed:
        return false;
      case Step::kNext:
        break;
    }
    if (!checked(*t, t->Skip())) return false;
  }
  return true;
}

bool delete_rows(const std::string& alias, const RowTest& doomed, const RowTest& past, int* count) {
  *count = 0;
  xbase::Table* t = open(alias);
  if (t == nullptr) return false;
  return walk(t, [&](xbase::Table& row) {
    if (past && past(row)) return Step::kStop;
    if (!doomed(row)) return Step::kNext;
    ++*count;
    return checked(row, row.Delete()) ? Step::kNext : Step::kFailed;
  });
}

bool pack(const std::string& alias) {
  xbase::Table* t = open(alias);
  if (t == nullptr) return false;
  FESCALA("SALVA");
  Status st = t->Pack([](uint64_t done, uint64_t total) { FESCALA(gauge_percent(done, total)); });
  FESCALA("RESTAURA");
  return checked(*t, st);
}

bool zap(const std::string& alias) {
  xbase::Table* t = open(alias);
  return t != nullptr && checked(*t, t->Zap());
}

bool close(const std::string& alias) {
  Status st = store().workspace().Close(alias);
  if (st.ok()) return true;
  store().ui().end_program("ERRO AO FECHAR " + alias + ": " + st.message());
  return false;
}

}  // namespace kav::startup
