#include "table_files.h"

#include <memory>

#include "base/latin1.h"
#include "store/layouts.h"
#include "xbase/table.h"

namespace kav::kavfix {

namespace {

// Tables the program never creates (the kit's, and the printer profiles
// that come with the installation), and the kit copies that carry more
// than the program's creation layout (their checksum fields).
const std::vector<Layout> kKitLayouts = {
    {"CONFIMP", "NOME_IMP C 30, MAXLIN N 3 0, TAM_4 C 60, TAM_1 C 60, SEQ_RESET C 60"},
    {"S_CDN", "CDN_TB C 2, CDN_IT C 10, CDN_DSCR C 60, CDN_OBS M 10, CDN_CHKSM C 6"},
    {"S_CD", "CD_TB C 2, CD_IT C 10, CD_DSCR C 60, CD_OBS M 10"},
    {"S_MN", "MN_IBGE C 6, MN_NOME C 40, MN_UF C 2"},
    {"CADMUN",
     "CODUF C 2, CODMUNIC C 4, NOME C 40, CONDIC C 2, CIB_ZAV C 1, DTHABIL C 6, "
     "TETOPAB N 15 2, IBGE_UF C 2"},
    {"S_PACBO", "PACBO_CMP C 6, PACBO_PA C 9, PACBO_CBO C 6, PACBOCHKSM C 6"},
    {"S_PACID", "PACID_CMP C 6, PACID_PA C 9, PACID_CID C 4, PACIDCHKSM C 6"},
    {"S_PASRV", "PASRV_CMP C 6, PASRV_PA C 9, PASRV_SRV C 3, PASRV_CSF C 3, PASRVCHKSM C 6"},
    {"S_PAPA",
     "PAPA_CMP C 6, PAPA_TRAT C 2, PAPA_PRINC C 9, PAPA_SECUN C 9, PAPA_QTMAX N 6 0, "
     "PAPA_CHKSM C 6"},
    {"S_PAIN", "PAIN_CMP C 6, PAIN_PA C 9, PAIN_HA C 4, PAIN_IN N 12 2, PAIN_CHKSM C 6"},
    {"S_RUB", "RUB_ID C 6, RUB_DC C 60"},
    {"S_DEPARA", "ORIGEM C 10, DESTINO C 10, CMP_INI C 6, CMP_FIM C 6"},
    {"S_PROCED",
     "PA_CMP C 6, PA_ID C 9, PA_CTF C 4, PA_SEXO C 1, PA_SH N 12 2, PA_SP N 12 2, "
     "PA_SA N 12 2, PA_IDADEMX N 3 0, PA_IDADEMN N 3 0, PA_QTDMAX N 6 0, PA_CHKSM C 6"},
    {"S_PAHA", "PAHA_CMP C 6, PAHA_PA C 9, PAHA_GRP C 4, PAHA_HA C 4, PAHA_CHKSM C 6"},
    {"S_FXAPAC", "FX_INI C 12, FX_FIM C 12, FX_SKSUM C 15"},
    {"S_FXRAAS", "FX_INI C 12, FX_FIM C 12, FX_SKSUM C 15"},
};

const Layout* find_kit_layout(std::string_view file) {
  std::string upper = latin1_upper(file);
  for (const Layout& l : kKitLayouts)
    if (l.table == upper) return &l;
  return nullptr;
}

// Splits "a|b|c" (or "A, B, C" with `sep` ',') into trimmed pieces.
std::vector<std::string> split(std::string_view text, char sep) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    size_t end = text.find(sep, start);
    std::string_view piece = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (sep == ',') {
      while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
      while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
    }
    out.emplace_back(piece);
    if (end == std::string_view::npos) return out;
    start = end + 1;
  }
}

Status fill_row(xbase::Table* t, const std::vector<int>& fields, const std::string& row,
                std::string_view file) {
  std::vector<std::string> values = split(row, '|');
  if (values.size() != fields.size()) {
    return Status::Invalid(std::string(file) + ": linha com " + std::to_string(values.size()) +
                           " valores para " + std::to_string(fields.size()) + " campos: " + row);
  }
  KAV_RETURN_IF_ERROR(t->Append());
  for (size_t i = 0; i < fields.size(); ++i) {
    const xbase::FieldDef& def = t->fields()[fields[i]].def;
    if (def.type == 'C' && values[i].size() > static_cast<size_t>(def.width))
      return Status::Invalid(std::string(file) + ": valor maior que o campo " + def.name + ": " +
                             values[i]);
    KAV_RETURN_IF_ERROR(t->put(fields[i], values[i]));
  }
  return Status::Ok();
}

}  // namespace

Status kit_fields(std::string_view file, std::vector<xbase::FieldDef>* out) {
  const Layout* kit = find_kit_layout(file);
  if (kit != nullptr) return xbase::parse_field_list(kit->fields, out);
  return creation_fields(file, out);
}

bool only_kit_layout(std::string_view file) {
  return find_layout(file) == nullptr && find_kit_layout(file) != nullptr;
}

Status write_table(const std::string& folder, const TableRows& table) {
  std::vector<xbase::FieldDef> defs;
  KAV_RETURN_IF_ERROR(kit_fields(table.file, &defs));
  std::string path = folder + "/" + latin1_upper(table.file) + ".DBF";
  KAV_RETURN_IF_ERROR(xbase::Table::Create(path, defs));
  std::unique_ptr<xbase::Table> t;
  KAV_RETURN_IF_ERROR(xbase::Table::Open(path, &t));
  std::vector<int> fields;
  if (!table.rows.empty()) {
    for (const std::string& name : split(table.columns, ',')) {
      int f = t->field_index(name);
      if (f < 0) return Status::Invalid(std::string(table.file) + ": campo desconhecido " + name);
      fields.push_back(f);
    }
  }
  for (const std::string& row : table.rows)
    KAV_RETURN_IF_ERROR(fill_row(t.get(), fields, row, table.file));
  return t->Close();
}

}  // namespace kav::kavfix
