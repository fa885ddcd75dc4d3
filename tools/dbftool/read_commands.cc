// dbftool dump and seek.
#include <cstdio>
#include <string>

#include "base/money.h"
#include "command.h"
#include "record_line.h"
#include "tool_util.h"

namespace kav::dbftool {

namespace {

Status print_current(const xbase::Table& t) {
  std::string line;
  KAV_RETURN_IF_ERROR(record_line(t, &line));
  if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size())
    return Status::IoError("erro de escrita na saida padrao");
  return Status::Ok();
}

Status finish_output(xbase::Table* t, Status st) {
  if (std::fflush(stdout) != 0 && st.ok()) st = Status::IoError("erro de escrita na saida padrao");
  Status closed = t ? t->Close() : Status::Ok();
  return st.ok() ? closed : st;
}

struct DumpRequest {
  std::string table, index;
  bool deleted = false;
};

Status parse_dump(const Args& args, DumpRequest* req) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--deleted") {
      req->deleted = true;
    } else if (args[i] == "--index" && i + 1 < args.size()) {
      req->index = args[++i];
    } else if (args[i].compare(0, 2, "--") == 0 || !req->table.empty()) {
      return Status::Invalid("uso: dbftool " + std::string(kDumpCommand.name) + " " + kDumpCommand.usage);
    } else {
      req->table = args[i];
    }
  }
  if (req->table.empty())
    return Status::Invalid("uso: dbftool " + std::string(kDumpCommand.name) + " " + kDumpCommand.usage);
  return Status::Ok();
}

Status dump(const DumpRequest& req, std::unique_ptr<xbase::Table>* t) {
  Args indexes;
  if (!req.index.empty()) indexes.push_back(req.index);
  KAV_RETURN_IF_ERROR(open_table(req.table, indexes, t));
  xbase::Table& table = **t;
  table.set_show_deleted(req.deleted);
  KAV_RETURN_IF_ERROR(table.SetOrder(table.index_count()));
  KAV_RETURN_IF_ERROR(table.GoTop());
  while (!table.eof()) {
    KAV_RETURN_IF_ERROR(print_current(table));
    KAV_RETURN_IF_ERROR(table.Skip());
  }
  return Status::Ok();
}

int run_dump(const Args& args) {
  DumpRequest req;
  Status st = parse_dump(args, &req);
  if (!st.ok()) return fail(st);
  std::unique_ptr<xbase::Table> t;
  st = finish_output(t.get(), dump(req, &t));
  return st.ok() ? 0 : fail(st);
}

// A number typed for a numeric key is laid out as the field stores it.
std::string key_for(const xbase::KeyExpr& key, const std::string& typed) {
  if (!key.numeric()) return typed;
  int64_t v = 0;
  std::string text;
  if (!parse_number(typed, key.decimals(), &v).ok() ||
      !format_number(v, key.decimals(), key.length(), key.decimals(), &text).ok())
    return typed;
  return xbase::numeric_key(text);
}

int run_seek(const Args& args) {
  std::vector<std::string> pos, flags;
  Status st = split_args(args, {"--soft"}, &pos, &flags);
  if (st.ok() && pos.size() != 3)
    st = Status::Invalid("uso: dbftool " + std::string(kSeekCommand.name) + " " + kSeekCommand.usage);
  if (!st.ok()) return fail(st);
  std::unique_ptr<xbase::Table> t;
  st = open_table(pos[0], {pos[1]}, &t);
  if (st.ok()) st = t->SetOrder(1);
  if (st.ok()) st = t->Seek(key_for(t->index_key(1), pos[2]), has_flag(flags, "--soft"));
  bool found = st.ok() && !t->eof();
  if (found) st = print_current(*t);
  st = finish_output(t.get(), st);
  if (!st.ok()) return fail(st);
  return found ? 0 : 1;
}

}  // namespace

const Command kDumpCommand = {"dump", "T.DBF [--index TAG.NTX] [--deleted]",
                              "um registro por linha: numero (\"*\" depois se apagado) e valores\n"
                              "    separados por tab, na ordem do indice quando dado",
                              run_dump};
const Command kSeekCommand = {"seek", "T.DBF TAG.NTX CHAVE [--soft]",
                              "mostra o registro achado como dump; sai com 1 quando nada acha\n"
                              "    (--soft: o registro da chave seguinte)",
                              run_seek};

}  // namespace kav::dbftool
