#include "shell/dbf_colour_table.h"

#include <memory>

#include "base/file_resolver.h"
#include "base/val.h"
#include "xbase/table.h"

namespace kav {

namespace {

constexpr const char* kSchemeFields[12] = {"CABEC",  "MENSAGEM", "CAMPOGET", "CAMPOSAY",
                                           "MENU",   "PMENU",    "PISCA",    "ASTER",
                                           "SOMBRA", "OUTRO1",   "OUTRO2",   "OUTRO3"};

std::string trimmed(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

Status put(xbase::Table& t, const char* field, const std::string& value) {
  return t.put(t.field_index(field), value);
}

}  // namespace

bool DbfColourTable::exists() { return resolve_path(path()).has_value(); }

Status DbfColourTable::create(const ColourRecord& first) {
  std::vector<xbase::FieldDef> fields = {{"QUE_LINHA", 'N', 2, 0}, {"PAD_NOME", 'C', 40, 0}};
  for (const char* name : kSchemeFields) fields.push_back({name, 'C', 30, 0});
  KAV_RETURN_IF_ERROR(xbase::Table::Create(path(), fields));
  std::unique_ptr<xbase::Table> t;
  KAV_RETURN_IF_ERROR(xbase::Table::Open(path(), &t));
  KAV_RETURN_IF_ERROR(t->Append());
  KAV_RETURN_IF_ERROR(put(*t, "QUE_LINHA", std::to_string(first.QUE_LINHA)));
  KAV_RETURN_IF_ERROR(put(*t, "PAD_NOME", first.PAD_NOME));
  for (int i = 0; i < 12; ++i) KAV_RETURN_IF_ERROR(put(*t, kSchemeFields[i], first.schemes[i]));
  return t->Close();
}

Status DbfColourTable::read_all(std::vector<ColourRecord>* records) {
  std::unique_ptr<xbase::Table> t;
  KAV_RETURN_IF_ERROR(xbase::Table::Open(resolve_or_same(path()), &t));
  std::vector<int> columns;
  for (const char* name : kSchemeFields) columns.push_back(t->field_index(name));
  const int que_linha = t->field_index("QUE_LINHA");
  records->clear();
  t->set_show_deleted(true);  // record numbers count every record
  for (uint32_t n = 1; n <= t->record_count(); ++n) {
    KAV_RETURN_IF_ERROR(t->GoTo(n));
    ColourRecord r;
    if (que_linha >= 0) r.QUE_LINHA = int(val_int(t->raw(que_linha)));
    for (int i = 0; i < 12; ++i) {
      if (columns[i] >= 0) r.schemes[i] = trimmed(t->raw(columns[i]));
    }
    records->push_back(std::move(r));
  }
  return t->Close();
}

}  // namespace kav
