#include "store/creators.h"

#include "base/latin1.h"
#include "store/layouts.h"
#include "store/store.h"
#include "store/store_global.h"
#include "xbase/table.h"

namespace kav {

bool create_table(Store& store, const std::string& name, bool announce) {
  std::string file = latin1_upper(name) + ".DBF";
  if (store.exists(file)) return true;
  if (announce) store.ui().show_and_wait("CRIANDO ARQUIVO " + file);
  std::vector<xbase::FieldDef> fields;
  Status st = creation_fields(name, &fields);
  if (st.ok()) st = xbase::Table::Create(store.path(file), fields);
  // The control tables are made with their one record.
  if (st.ok() && (file == "S_CTR.DBF" || file == "S_SS.DBF")) {
    std::unique_ptr<xbase::Table> t;
    st = xbase::Table::Open(store.path(file), &t);
    if (st.ok()) st = t->Append();
    if (st.ok()) st = t->Close();
  }
  if (!st.ok()) {
    store.ui().end_program("ERRO AO CRIAR " + file + ": " + st.message());
    return false;
  }
  return true;
}

namespace {
bool announced(const char* name) { return create_table(store(), name, true); }
bool silent(const char* name) { return create_table(store(), name, false); }
}  // namespace

bool CRIAR_ADESAO() { return announced("ADESAO"); }
bool CRIAR_FXAPAC() { return announced("S_FXAPAC"); }
bool CRIAR_FXRAAS() { return announced("S_FXRAAS"); }
bool CRIAR_UPSHA() { return announced("S_UPSHA"); }
bool CRIAR_PAHA() { return announced("S_PAHA"); }
bool CRIAR_FORNEC() { return announced("S_FORNEC"); }
bool CRIAR_BPI() { return announced("S_BPI"); }
bool CRIAR_BPIHST() { return announced("S_BPIHST"); }
bool CRIAR_APCNES_TERC() { return announced("APCNES_TERC"); }
bool CRIAR_CNSQTD() { return announced("S_CNSQTD"); }
bool CRIA_UPSRC() { return silent("S_UPSRC"); }
bool CRIA_UPSVAL() { return silent("S_UPSVAL"); }
bool CRIA_PRDHST() { return silent("S_PRDHST"); }
bool CRIA_MUTIRAOSAUDEMULHER() { return silent("R_MUTIRAOSAUDEMULHER"); }
bool CRIA_OCORR() { return silent("S_OCORR"); }
bool CRIA_ENCERR() { return silent("S_ENCERR"); }
bool CRIA_TRMOTC() { return silent("S_TRMOTC"); }
bool CRIA_RAS() { return silent("S_RAS"); }
bool CRIA_RASPA() { return silent("S_RAPA"); }
bool CRIA_EQUIPE() { return silent("S_EQUIPE"); }
bool CRIA_UPSPRF() { return silent("S_UPSPRF"); }

}  // namespace kav
