// Clean-ups of the start-up: withdrawn habilitations, the tables of the
// years before 2008, the placeholder codes of a closed competence and the
// establishments made active again.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "base/begins_with.h"
#include "shell/message.h"
#include "shell/shell_state.h"
#include "shell/startup_tables.h"
#include "shell/startup_tables_rows.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

using startup::checked;
using startup::Step;

bool is_one_of(const std::string& value, const std::vector<std::string>& set) {
  for (const std::string& s : set)
    if (value == s) return true;
  return false;
}

// Habilitations withdrawn in 2008: from a competence on, for some codes,
// and for some procedures only (none listed: every procedure).
struct Withdrawal {
  const char* from;
  std::vector<std::string> habilitations;
  std::vector<std::string> procedures;
};

const Withdrawal kWithdrawals[] = {
    {"200807", {"0503", "0504"}, {}},
    {"200809",
     {"1706", "1707", "1708", "1709", "1710", "1711", "1712", "1713", "1714"},
     {"040501013", "040504002", "040504008", "040504009", "040504014", "040504015", "040504016"}},
};
constexpr const char* kLastWithdrawn = "200812";

bool withdrawn(const xbase::Table& row) {
  const std::string cmp = field_value(row, "PAHA_CMP");
  for (const Withdrawal& w : kWithdrawals) {
    if (cmp < w.from || cmp > kLastWithdrawn) continue;
    if (!is_one_of(field_value(row, "PAHA_HA"), w.habilitations)) continue;
    if (w.procedures.empty() || is_one_of(field_value(row, "PAHA_PA"), w.procedures)) return true;
  }
  return false;
}

// Deletes the rows `doomed` picks and packs the table when any went.
bool delete_and_pack(const std::string& alias, const startup::RowTest& doomed,
                     const startup::RowTest& past = nullptr) {
  int deleted = 0;
  if (!startup::delete_rows(alias, doomed, past, &deleted)) return false;
  return deleted == 0 || startup::pack(alias);
}

// A row kept only while the competence is closed, found by its first field
// (the key of order 1).
struct Placeholder {
  const char* alias;
  std::vector<std::pair<const char*, std::string>> fields;
  bool pack_after_delete;
};

const Placeholder kPlaceholders[] = {
    {"CID", {{"CD_COD", "0000"}, {"CD_DESCR", "CID NAO INFORMADO"}}, false},
    {"CID", {{"CD_COD", "1111"}, {"CD_DESCR", "CID NAO EXIGIDO EM APAC"}}, false},
    {"FORNEC",
     {{"FOR_CNPJ", std::string(14, '0')},
      {"FOR_RZSOC", "sem cessao de credito"},
      {"FOR_AG", "000000"},
      {"FOR_CC", std::string(14, '0')},
      {"FOR_IBGE", "000000"}},
     true},
};

bool add_placeholder(const Placeholder& p) {
  xbase::Table* t = startup::open(p.alias);
  if (t == nullptr || !checked(*t, t->Seek(p.fields.front().second))) return false;
  if (t->found()) return true;
  Status st = t->Append();
  for (const auto& [name, value] : p.fields)
    if (st.ok()) st = put_value(*t, name, value);
  if (st.ok()) st = t->Flush();
  return checked(*t, st);
}

bool remove_placeholder(const Placeholder& p) {
  const auto& [key_field, code] = p.fields.front();
  xbase::Table* t = startup::open(p.alias);
  if (t == nullptr) return false;
  Status st = t->Seek(code);
  int deleted = 0;
  for (; st.ok() && !t->eof() && field_value(*t, key_field) == code; ++deleted) {
    st = t->Delete();
    if (st.ok()) st = t->Skip();
  }
  if (!checked(*t, st)) return false;
  return deleted == 0 || !p.pack_after_delete || startup::pack(p.alias);
}

bool delete_file(const std::string& name) {
  if (!store().exists(name)) return true;
  std::error_code ec;
  std::filesystem::remove(store().path(name), ec);
  if (!ec) return true;
  MENSAGEM("ESPERE", "NAO FOI POSSIVEL APAGAR " + name + ": " + ec.message());
  return false;
}

}  // namespace

bool clean_habilitations() {
  return delete_and_pack("PAHA", withdrawn, [](const xbase::Table& row) {
    return field_value(row, "PAHA_CMP") > kLastWithdrawn;
  });
}

bool clean_before_2008() {
  MENSAGEM("AVISE", "VERSAO SERA ATUALIZADA!");
  MENSAGEM("AVISE", "LIMPANDO ORCAMENTO DE NOV/07 E ANTERIORES (S_IPU)");
  if (!delete_and_pack(
          "IPU", [](const xbase::Table& row) { return field_value(row, "IPU_CMP") < "200712"; }))
    return false;
  MENSAGEM("AVISE", "LIMPANDO PROCEDIMENTOS DE APACS ANTIGAS (S_PAP)");
  if (!startup::zap("PAP")) return false;
  MENSAGEM("AVISE", "LIMPANDO APACS ANTIGAS, MANTENDO AS DE OBITO (S_APA)");
  if (!delete_and_pack("APA", [](const xbase::Table& row) {
        return field_value(row, "APA_CMP") < "200801" &&
               !begins_with(field_value(row, "APA_MOTCOB"), "9");
      }))
    return false;
  if (!record_program_version()) return false;
  MENSAGEM("ESPERE", "VERSAO ATUALIZADA!");
  return true;
}

bool record_program_version() {
  return set_control_field("CTR", "CTR_VERSAO", shell().DEF_KAV_VER);
}

bool VRF_CODIGOS_TABRIX() {
  const bool closed = control_field("CTR", "CTR_CRD") == "F";
  for (const Placeholder& p : kPlaceholders)
    if (!(closed ? add_placeholder(p) : remove_placeholder(p))) return false;
  return true;
}

bool activate_establishments() {
  shell().CCMP_KAV = control_field("CTR", "CTR_MVM");
  if (control_field("CTR", "CTR_CRD") != "A") return true;
  xbase::Table* ups = startup::open("UPS");
  if (ups == nullptr) return false;
  const bool done = startup::walk(ups, [](xbase::Table& row) {
    return checked(row, put_value(row, "UPS_IN_ATV", "A")) ? Step::kNext : Step::kFailed;
  });
  return done && checked(*ups, ups->Flush()) && delete_file("UPS_EXP.TXT");
}

}  // namespace kav
