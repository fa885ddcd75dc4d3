#include "shell/store_bridge.h"

#include "shell/gauge.h"
#include "shell/message.h"

namespace kav {

namespace {

std::string trim(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return std::string(s);
}

xbase::Table* open_table(Store& store, const std::string& alias) {
  xbase::Table* t = store.table(alias);
  if (t == nullptr && store.USAR(alias)) t = store.table(alias);
  return t;
}

std::string field(const xbase::Table* t, const char* name) {
  const int i = t == nullptr ? -1 : t->field_index(name);
  return i < 0 || t->eof() ? "" : std::string(t->raw(i));
}

}  // namespace

void ToolkitStoreUi::show_line(const std::string& text) {
  MENSAGEM("AVISE", text.empty() ? "  " : text);
}

void ToolkitStoreUi::show_and_wait(const std::string& text) { MENSAGEM("ESPERE", text); }

void ToolkitStoreUi::gauge_open(const std::string& caption) { FESCALA("SALVA", caption); }

void ToolkitStoreUi::gauge_update(double percent) { FESCALA(percent); }

void ToolkitStoreUi::gauge_close() { FESCALA("RESTAURA"); }

void ToolkitStoreUi::end_program(const std::string& text) { fatal_end({text}); }

HeaderData header_data_from_store(Store& store) {
  const xbase::Table* ctr = open_table(store, "CTR");
  const xbase::Table* ss = open_table(store, "SS");
  HeaderData d;
  d.SS_SIGL = trim(field(ss, "SS_SIGL"));
  d.CTR_MVM = field(ctr, "CTR_MVM");
  d.CTR_CRD = field(ctr, "CTR_CRD");
  const bool has_condition = ss != nullptr && ss->field_index("SS_CONDIC") >= 0 &&
                             ss->field_index("SS_GESTAO") >= 0;
  if (has_condition) d.SS_CONDIC = field(ss, "SS_CONDIC");
  return d;
}

}  // namespace kav
