// dbftool create, info, append, delete, recall, pack.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "record_line.h"
#include "tool_util.h"
#include "xbase/field.h"

namespace kav::dbftool {

namespace {

int usage_error(const char* usage) {
  std::fprintf(stderr, "dbftool: uso: dbftool %s\n", usage);
  return 2;
}

int run_create(const Args& args) {
  if (args.size() != 2) return usage_error(kCreateCommand.usage);
  std::vector<xbase::FieldDef> fields;
  Status st = xbase::parse_field_list(args[1], &fields);
  if (st.ok()) st = xbase::Table::Create(args[0], fields);
  return st.ok() ? 0 : fail(st);
}

int run_info(const Args& args) {
  if (args.size() != 1) return usage_error(kInfoCommand.usage);
  std::unique_ptr<xbase::Table> t;
  Status st = open_table(args[0], {}, &t);
  if (!st.ok()) return fail(st);
  std::printf("versao\t0x%02X\nregistros\t%u\ntamanho\t%d\n", t->version(), t->record_count(),
              t->record_length());
  for (const xbase::Field& f : t->fields())
    std::printf("%s\t%c\t%d\t%d\n", f.def.name.c_str(), f.def.type, f.def.width, f.def.decimals);
  st = t->Close();
  return st.ok() ? 0 : fail(st);
}

Status read_stdin(std::string* data) {
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, stdin)) > 0) data->append(buf, n);
  if (std::ferror(stdin)) return Status::IoError("erro de leitura da entrada padrao");
  return Status::Ok();
}

// One line a record: every '\n' ends one; a last line without it counts too.
std::vector<std::string_view> split(std::string_view text, char sep, bool drop_last_empty) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(sep, start)) != std::string_view::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  if (!drop_last_empty || start < text.size()) parts.push_back(text.substr(start));
  return parts;
}

Status put_value(xbase::Table* t, int field, std::string_view value) {
  switch (t->fields()[static_cast<size_t>(field)].def.type) {
    case 'C': return t->put_raw(field, value);
    case 'M': {
      std::string text;
      KAV_RETURN_IF_ERROR(unescape_memo(value, &text));
      return t->put(field, text);
    }
    default: return t->put(field, value);
  }
}

Status append_rows(xbase::Table* t, std::string_view data) {
  std::vector<std::string_view> lines = split(data, '\n', true);
  size_t nfields = t->fields().size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (split(lines[i], '\t', false).size() > nfields)
      return Status::Invalid("linha " + std::to_string(i + 1) + ": valores demais");
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    KAV_RETURN_IF_ERROR(t->Append());
    std::vector<std::string_view> values = split(lines[i], '\t', false);
    for (size_t f = 0; f < values.size(); ++f) {
      Status st = put_value(t, static_cast<int>(f), values[f]);
      if (!st.ok()) {
        // The record is already in the table: leave it marked deleted.
        Status del = t->Delete();
        return Status::Invalid("linha " + std::to_string(i + 1) + ": " + st.message() +
                               (del.ok() ? " (registro " + std::to_string(t->recno()) +
                                               " gravado como apagado)"
                                         : ""));
      }
    }
  }
  return Status::Ok();
}

int run_append(const Args& args) {
  if (args.empty()) return usage_error(kAppendCommand.usage);
  std::string data;
  Status st = read_stdin(&data);
  std::unique_ptr<xbase::Table> t;
  if (st.ok()) st = open_table(args[0], Args(args.begin() + 1, args.end()), &t);
  if (st.ok()) st = append_rows(t.get(), data);
  Status closed = t ? t->Close() : Status::Ok();
  if (st.ok()) st = closed;
  return st.ok() ? 0 : fail(st);
}

int mark(const Args& args, const char* usage, bool deleted) {
  uint32_t recno = 0;
  if (args.size() != 2) return usage_error(usage);
  Status st = parse_recno(args[1], &recno);
  std::unique_ptr<xbase::Table> t;
  if (st.ok()) st = open_table(args[0], {}, &t);
  if (st.ok() && recno > t->record_count())
    st = Status::NotFound("registro inexistente: " + args[1]);
  if (st.ok()) st = t->GoTo(recno);
  if (st.ok()) st = deleted ? t->Delete() : t->Recall();
  Status closed = t ? t->Close() : Status::Ok();
  if (st.ok()) st = closed;
  return st.ok() ? 0 : fail(st);
}

int run_delete(const Args& args) { return mark(args, kDeleteCommand.usage, true); }
int run_recall(const Args& args) { return mark(args, kRecallCommand.usage, false); }

int run_pack(const Args& args) {
  if (args.empty()) return usage_error(kPackCommand.usage);
  std::unique_ptr<xbase::Table> t;
  Status st = open_table(args[0], Args(args.begin() + 1, args.end()), &t);
  if (st.ok()) st = t->Pack();
  Status closed = t ? t->Close() : Status::Ok();
  if (st.ok()) st = closed;
  return st.ok() ? 0 : fail(st);
}

}  // namespace

const Command kCreateCommand = {"create", "T.DBF 'NOME C 10, QTD N 8 0, DT D, OK L, OBS M'",
                                "cria a tabela (e o .DBT quando ha campo M)", run_create};
const Command kInfoCommand = {"info", "T.DBF",
                              "versao, registros, tamanho do registro e os campos", run_info};
const Command kAppendCommand = {
    "append", "T.DBF [TAG.NTX ...] < linhas.tsv",
    "um registro por linha, valores separados por tab na ordem dos campos; bytes de C como\n"
    "    vem; M com \\n \\r \\t \\\\; os indices dados sao mantidos",
    run_append};
const Command kDeleteCommand = {"delete", "T.DBF RECNO", "marca o registro como apagado", run_delete};
const Command kRecallCommand = {"recall", "T.DBF RECNO", "desmarca o registro apagado", run_recall};
const Command kPackCommand = {"pack", "T.DBF [TAG.NTX ...]",
                              "remove os registros apagados e reconstroi os indices dados", run_pack};

}  // namespace kav::dbftool
