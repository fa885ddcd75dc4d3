// The secretariat's code and condition of management, and the list of the
// municipalities under it.
#include <string>

#include "shell/startup_tables.h"
#include "shell/startup_tables_rows.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

using startup::checked;
using startup::Step;

// Characters 3-6 of SS_GESTAO: the municipality, "0000" for the state.
std::string manager_municipality() {
  const std::string code = control_field("SS", "SS_GESTAO");
  return code.size() < 6 ? std::string() : code.substr(2, 4);
}

// Puts the fields of `from` into `to` by name.
Status copy_fields(const xbase::Table& from, xbase::Table& to,
                   std::initializer_list<const char*> names) {
  for (const char* name : names) KAV_RETURN_IF_ERROR(put_value(to, name, field_value(from, name)));
  return Status::Ok();
}

// The S_MN row of a municipality, updated when it is there already.
Status list_municipality(xbase::Table& mn, const xbase::Table& from) {
  const std::string uf = field_value(from, "CODUF");
  const std::string ibge = uf + field_value(from, "CODMUNIC");
  KAV_RETURN_IF_ERROR(mn.Seek(ibge));
  if (!mn.found()) {
    KAV_RETURN_IF_ERROR(mn.Append());
    KAV_RETURN_IF_ERROR(put_value(mn, "MN_IBGE", ibge));
  }
  KAV_RETURN_IF_ERROR(put_value(mn, "MN_NOME", field_value(from, "NOME")));
  return put_value(mn, "MN_UF", uf);
}

// The CADMUN row of a municipality of CADGESMN, appended when missing.
Status merge_municipality(xbase::Table& cadmun, const xbase::Table& from) {
  KAV_RETURN_IF_ERROR(cadmun.Seek(field_value(from, "CODUF") + field_value(from, "CODMUNIC")));
  if (!cadmun.found()) {
    KAV_RETURN_IF_ERROR(cadmun.Append());
    KAV_RETURN_IF_ERROR(copy_fields(from, cadmun, {"CODUF", "CODMUNIC"}));
  }
  return copy_fields(from, cadmun, {"NOME", "CONDIC", "CIB_ZAV"});
}

bool list_from(xbase::Table* source, xbase::Table* mn, xbase::Table* cadmun) {
  return startup::walk(source, [&](xbase::Table& row) {
    if (cadmun != nullptr && !checked(*cadmun, merge_municipality(*cadmun, row)))
      return Step::kFailed;
    return checked(*mn, list_municipality(*mn, row)) ? Step::kNext : Step::kFailed;
  });
}

// CADGESMN.DBF, the municipalities the last registry import left for the
// manager, opened; null when it is missing.
bool open_registry_municipalities(xbase::Table** out) {
  *out = nullptr;
  if (!store().exists("CADGESMN.DBF")) return true;
  Status st = store().use_work_table("CADGESMN.DBF", "CADGESMN");
  if (!st.ok()) {
    store().ui().end_program("ERRO NO ARQUIVO CADGESMN.DBF: " + st.message());
    return false;
  }
  *out = store().table("CADGESMN");
  return checked(**out, (*out)->GoTop());
}

}  // namespace

bool fix_secretariat_code() {
  if (manager_municipality() != "9999") return true;
  const std::string code = control_field("SS", "SS_GESTAO");
  return set_control_field("SS", "SS_GESTAO", code.substr(0, 2) + "0000" + code.substr(6));
}

bool is_state_installation() { return manager_municipality() == "0000"; }

bool rebuild_municipality_list() {
  if (control_field("CTR", "CTR_CRD") != "A" || is_state_installation()) return true;
  xbase::Table* cadgesmn = nullptr;
  if (!open_registry_municipalities(&cadgesmn)) return false;
  // Emptied by its last merge: the list made then stays.
  if (cadgesmn != nullptr && cadgesmn->eof()) return startup::close("CADGESMN");
  xbase::Table* cadmun = startup::open("CADMUN");
  if (cadmun == nullptr || !startup::zap("MN")) return false;
  xbase::Table* mn = store().table("MN");
  if (cadgesmn == nullptr) return list_from(cadmun, mn, nullptr);
  return list_from(cadgesmn, mn, cadmun) && checked(*cadgesmn, cadgesmn->Zap()) &&
         startup::close("CADGESMN");
}

bool set_management_condition() {
  if (is_state_installation()) return set_control_field("SS", "SS_CONDIC", "EP");
  const std::string key = control_field("SS", "SS_UFIBGE") + manager_municipality();
  xbase::Table* cadmun = startup::open("CADMUN");
  if (cadmun == nullptr || !checked(*cadmun, cadmun->Seek(key))) return false;
  if (!cadmun->found()) return true;
  return set_control_field("SS", "SS_CONDIC", field_value(*cadmun, "CONDIC"));
}

}  // namespace kav
