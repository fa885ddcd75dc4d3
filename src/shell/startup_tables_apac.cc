// The APAC table at start: whether it holds APACs, and the administrative
// closing of the APACs of August 2023.
#include <string>

#include "base/begins_with.h"
#include "base/trim.h"
#include "platform/keys.h"
#include "shell/message.h"
#include "shell/shell_state.h"
#include "shell/startup_tables.h"
#include "shell/startup_tables_rows.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

using startup::checked;

const char* const kClosedProcedures[] = {"0501070060", "0501070079", "0505020033", "0505020114",
                                         "0506010023", "0506010031", "0506010040", "0506020088"};
constexpr const char* kClosingDay = "20230831";
constexpr const char* kClosingReason = "51";

// Code 26 (Ctrl+Z, Ctrl+Left) during the walk offers to end it.
bool stop_asked() {
  return keyboard().poll().code == key::kCtrlLeft &&
         CONFIRMA("Deseja finalizar a verificacao") == "S";
}

// Closes the APAC of the procedure line `pap` stands on when it still ran
// after August 2023.
Status close_apac(xbase::Table& apa, const xbase::Table& pap, int* count) {
  KAV_RETURN_IF_ERROR(apa.Seek(field_value(pap, "PAP_NUM") + field_value(pap, "PAP_CMP")));
  if (!apa.found() || field_value(apa, "APA_DTFIM") <= kClosingDay) return Status::Ok();
  const std::string outcome = field_value(apa, "APA_DTOBAL");
  if (!trim(outcome).empty() && outcome <= kClosingDay) return Status::Ok();
  KAV_RETURN_IF_ERROR(put_value(apa, "APA_MOTCOB", kClosingReason));
  KAV_RETURN_IF_ERROR(put_value(apa, "APA_DTOBAL", kClosingDay));
  ++*count;
  return Status::Ok();
}

// The lines of `procedure` in August 2023 (order PAP_CMP + PAP_PA + PAP_UID).
bool close_apacs_of(const std::string& procedure, xbase::Table& apa, xbase::Table& pap,
                    int* count) {
  const std::string key = "202308" + procedure;
  Status st = pap.Seek(key);
  while (st.ok() && !pap.eof() && begins_with(pap.current_key(), key) && !stop_asked()) {
    if (field_value(pap, "PAP_MVM") >= "202308") st = close_apac(apa, pap, count);
    if (!checked(apa, st)) return false;
    st = pap.Skip();
  }
  return checked(pap, st);
}

}  // namespace

bool VRF_APAC_ENCERRAMENTO2023() {
  if (control_field("CTR", "CTR_CRD") == "F" || control_field("CTR", "CTR_MVM") <= "202307")
    return true;
  xbase::Table* apa = startup::open("APA");
  xbase::Table* pap = startup::open("PAP");
  if (apa == nullptr || pap == nullptr || !select_order("PAP", "PAP_CMP + PAP_PA + PAP_UID"))
    return false;
  int count = 0;
  for (const char* procedure : kClosedProcedures) {
    MENSAGEM("AVISE", std::string("Aguarde encerramento automatico de APAC ") + procedure);
    if (!close_apacs_of(procedure, *apa, *pap, &count)) return false;
  }
  Status st = store().workspace().CloseAll();
  if (!st.ok()) {
    store().ui().end_program("ERRO AO FECHAR ARQUIVOS: " + st.message());
    return false;
  }
  if (!USAR("SS") || !USAR("CTR")) return false;
  MENSAGEM("ESPERE", "Encerramento efetuado em " + std::to_string(count) + " Apac(s)!");
  return true;
}

bool apac_table_has_rows() {
  xbase::Table* apa = startup::open("APA");
  return apa != nullptr && checked(*apa, apa->GoTop()) && !apa->eof();
}

}  // namespace kav
