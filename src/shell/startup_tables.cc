// Tables the start-up makes when they are missing, and the tables it opens
// once so that their indexes and structures are brought up to date.
#include "shell/startup_tables.h"

#include <string>

#include "shell/message.h"
#include "shell/startup_tables_rows.h"
#include "store/creators.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

using Creator = bool (*)();

bool create_all(std::initializer_list<Creator> creators) {
  for (Creator create : creators)
    if (!create()) return false;
  return true;
}

bool create_silently(std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (!create_table(store(), name, false)) return false;
  return true;
}

// The joint-effort table is emptied at every start of an open competence.
bool prepare_joint_effort_table() {
  if (!store().exists("R_MUTIRAOSAUDEMULHER.DBF")) return CRIA_MUTIRAOSAUDEMULHER();
  if (control_field("CTR", "CTR_CRD") != "A") return true;
  return startup::zap("MUTIRAOSAUDEMULHER") && startup::close("MUTIRAOSAUDEMULHER");
}

// A table made with its own notice and opened once so that its indexes
// exist.
struct IndexedTable {
  const char* file;
  const char* alias;
  const char* notice;
};

const IndexedTable kIndexedTables[] = {
    {"S_APA", "APA", "CRIANDO TABELA DE APAC (S_APA.DBF)"},
    {"S_CFA", "CFA", "CRIANDO TABELA DE NUMERACAO DE APAC (S_CFA.DBF)"},
    {"S_UPSGES", "UPSGES", "CRIANDO TABELA DE GESTAO/COMPLEXIDADE (S_UPSGES.DBF)"},
    {"S_PAP", "PAP", "CRIANDO TABELA DE cobranca de APAC (S_PAP.DBF)"},
    {"S_IPU", "IPU", "CRIANDO TABELA ORÇAMENTÁRIA (S_IPU.DBF)"},
};

bool create_indexed(const IndexedTable& t) {
  if (store().exists(std::string(t.file) + ".DBF")) return true;
  MENSAGEM("ESPERE", t.notice);
  return create_table(store(), t.file, false) && USAR(t.alias, true) && startup::close(t.alias);
}

}  // namespace

bool create_base_tables() {
  return create_silently({"S_EMU", "S_CEP", "S_PAREGR", "S_PADET", "S_PRFIRR"});
}

bool create_start_tables() {
  return create_all(
             {CRIAR_ADESAO, CRIAR_FXAPAC, CRIAR_FXRAAS, CRIA_UPSRC, CRIA_UPSVAL, CRIA_PRDHST}) &&
         prepare_joint_effort_table() && create_all({CRIA_OCORR, CRIA_ENCERR});
}

bool check_value_table() {
  if (USAR("VPA")) return true;
  if (store().exists("S_VPA.DBF")) {
    // Made again over an unreadable table, its values would be lost.
    MENSAGEM("ESPERE", "TABELA DE VALORES ILEGIVEL - RESTAURE A COPIA DE SEGURANCA");
    return false;
  }
  MENSAGEM("ESPERE", "Tabela de Valores nao existe - sera criada");
  return create_table(store(), "S_VPA", false);
}

bool create_reprocessing_table() {
  if (control_field("CTR", "CTR_CRD") != "A" || control_field("CTR", "CTR_MVM") != "201212")
    return true;
  return create_table(store(), "S_PRDREP", false);
}

bool F_REMAPA2() {
  if (!create_all({CRIAR_UPSHA, CRIAR_PAHA, CRIAR_FORNEC, CRIAR_BPI, CRIAR_BPIHST, CRIA_TRMOTC,
                   CRIAR_APCNES_TERC, CRIAR_CNSQTD, CRIA_RAS, CRIA_RASPA, CRIA_EQUIPE,
                   CRIA_UPSPRF}))
    return false;
  for (const IndexedTable& t : kIndexedTables)
    if (!create_indexed(t)) return false;
  return true;
}

bool open_production_tables() {
  if (control_field("CTR", "CTR_MVM") < "202307") return true;
  for (const char* alias : {"APA", "BPI", "BPIHST", "PRD", "RAS", "RAPA"})
    if (!USAR(alias) || !startup::close(alias)) return false;
  return true;
}

}  // namespace kav
