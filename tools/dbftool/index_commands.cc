// dbftool index and check.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/file_resolver.h"
#include "command.h"
#include "tool_util.h"

namespace kav::dbftool {

namespace {

int run_index(const Args& args) {
  std::vector<std::string> pos, flags;
  Status st = split_args(args, {"--unique"}, &pos, &flags);
  if (st.ok() && pos.size() != 3)
    st = Status::Invalid("uso: dbftool " + std::string(kIndexCommand.name) + " " + kIndexCommand.usage);
  std::unique_ptr<xbase::Table> t;
  if (st.ok()) st = open_table(pos[0], {}, &t);
  if (st.ok()) st = t->CreateIndex(resolve_or_same(pos[1]), pos[2], has_flag(flags, "--unique"));
  Status closed = t ? t->Close() : Status::Ok();
  if (st.ok()) st = closed;
  return st.ok() ? 0 : fail(st);
}

// An index under check with the keys its table's records give.
struct Checked {
  std::string name;
  std::unique_ptr<xbase::NtxIndex> ntx;
  xbase::KeyExpr key;
  std::string record_keys;  // key of record r at (r - 1) * key length
};

Status open_checked(const std::string& path, const xbase::Table& t, Checked* c) {
  c->name = path;
  auto found = resolve_path(path);
  if (!found) return Status::NotFound("indice nao encontrado: " + path);
  KAV_RETURN_IF_ERROR(xbase::NtxIndex::Open(*found, &c->ntx));
  Status st = xbase::KeyExpr::Parse(c->ntx->header().expression, t.fields(), &c->key);
  if (!st.ok()) return Status::Corrupt(path + ": chave nao serve a tabela (" + st.message() + ")");
  if (c->key.length() != c->ntx->key_size())
    return Status::Corrupt(path + ": tamanho da chave difere da tabela");
  return Status::Ok();
}

// Reads every record (memos included) and notes each index's keys.
Status scan_table(xbase::Table* t, std::vector<Checked>* checked) {
  t->set_show_deleted(true);
  for (uint32_t r = 1; r <= t->record_count(); ++r) {
    KAV_RETURN_IF_ERROR(t->GoTo(r));
    for (size_t f = 0; f < t->fields().size(); ++f) {
      std::string text;
      if (t->fields()[f].def.type == 'M') KAV_RETURN_IF_ERROR(t->memo(static_cast<int>(f), &text));
    }
    for (Checked& c : *checked) c.record_keys += c.key.Eval(t->raw_record().data());
  }
  return Status::Ok();
}

Status check_index(Checked* c, uint32_t count) {
  size_t len = static_cast<size_t>(c->key.length());
  bool unique = c->ntx->unique();
  std::vector<bool> seen(count + 1u, false);
  std::string index_keys;  // the unique index's keys in order
  std::string prev;
  uint64_t n = 0;
  auto problem = [&](const std::string& what) {
    return Status::Corrupt(c->name + ": entrada " + std::to_string(n) + ": " + what);
  };
  KAV_RETURN_IF_ERROR(c->ntx->ForEach([&](std::string_view key, uint32_t recno) {
    ++n;
    if (recno < 1 || recno > count)
      return problem("aponta para o registro inexistente " + std::to_string(recno));
    if (key != std::string_view(c->record_keys).substr((recno - 1) * len, len))
      return problem("chave difere da do registro " + std::to_string(recno));
    if (n > 1 && (unique ? key <= prev : key < prev)) return problem("fora de ordem");
    if (seen[recno]) return problem("registro " + std::to_string(recno) + " repetido");
    seen[recno] = true;
    prev.assign(key);
    if (unique) index_keys.append(key);
    return Status::Ok();
  }));
  for (uint32_t r = 1; r <= count; ++r) {
    std::string_view key = std::string_view(c->record_keys).substr((r - 1) * len, len);
    bool present = seen[r];
    if (!present && unique) {
      size_t lo = 0, hi = index_keys.size() / len;
      while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (std::string_view(index_keys).substr(mid * len, len) < key) lo = mid + 1;
        else hi = mid;
      }
      present = lo < index_keys.size() / len && std::string_view(index_keys).substr(lo * len, len) == key;
    }
    if (!present) return Status::Corrupt(c->name + ": falta a chave do registro " + std::to_string(r));
  }
  std::printf("%s: %llu chaves\n", c->name.c_str(), static_cast<unsigned long long>(n));
  return Status::Ok();
}

Status check(const Args& args) {
  std::unique_ptr<xbase::Table> t;
  KAV_RETURN_IF_ERROR(open_table(args[0], {}, &t));
  std::vector<Checked> checked(args.size() - 1);
  for (size_t i = 1; i < args.size(); ++i) KAV_RETURN_IF_ERROR(open_checked(args[i], *t, &checked[i - 1]));
  KAV_RETURN_IF_ERROR(scan_table(t.get(), &checked));
  std::printf("%s: %u registros\n", args[0].c_str(), t->record_count());
  for (Checked& c : checked) KAV_RETURN_IF_ERROR(check_index(&c, t->record_count()));
  return t->Close();
}

int run_check(const Args& args) {
  if (args.empty()) {
    std::fprintf(stderr, "dbftool: uso: dbftool %s %s\n", kCheckCommand.name, kCheckCommand.usage);
    return 2;
  }
  Status st = check(args);
  if (!st.ok()) {
    std::fflush(stdout);
    fail(st);
    return 1;
  }
  return 0;
}

}  // namespace

const Command kIndexCommand = {"index", "T.DBF TAG.NTX 'EXPRESSAO' [--unique]",
                               "cria (ou refaz) o indice pela expressao de chave", run_index};
const Command kCheckCommand = {
    "check", "T.DBF [TAG.NTX ...]",
    "le a tabela inteira e confere que cada indice tem uma chave por registro, em ordem\n"
    "    (unico: chaves crescentes, cada chave de registro presente); sai com 1 no primeiro erro",
    run_check};

}  // namespace kav::dbftool
