#include "shell/key_range.h"

#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

bool matches(const TableCursor& t, const std::string& prefix) {
  return t.key().compare(0, prefix.size(), prefix) == 0 && t.key().size() >= prefix.size();
}

void seek_end(TableCursor& table, const std::string& prefix) {
  if (prefix.empty() || static_cast<unsigned char>(prefix.back()) == 0xFF) {
    table.go_bottom();  // no key follows the prefix
    return;
  }
  std::string next = prefix;
  next.back() = char(static_cast<unsigned char>(next.back()) + 1);
  table.seek(next, next.size() > 1);
  table.skip(-1);
}

}  // namespace

void INICFAIXA(TableCursor& table, const std::string& prefix) { table.seek(prefix, false); }

std::function<void()> FIMDAFAIXA(TableCursor& table, const std::string& prefix) {
  seek_end(table, prefix);
  return [&table, prefix] { seek_end(table, prefix); };
}

int MOVEREG(TableCursor& table, int n, const std::string& prefix) {
  if (n == 0 || table.record_count() == 0) {
    table.refresh();
    return 0;
  }
  int c = 0;
  if (n > 0) {
    if (table.eof()) return 0;
    while (c <= n && !table.eof() && matches(table, prefix)) {
      table.skip(1);
      ++c;
    }
    table.skip(-1);
    return c - 1;
  }
  while (c >= n && !table.bof() && matches(table, prefix)) {
    table.skip(-1);
    --c;
  }
  if (!table.bof()) table.skip(1);
  return c + 1;
}

bool DELETA(Browse& browse, const std::string& prefix) {
  if (CONFIRMA("CONFIRMA A DELECAO") == "N") return false;
  TableCursor& t = browse.table();
  const uint32_t current = t.recno();
  if (prefix.empty()) {
    t.delete_record();
    t.go_phantom();
  } else {
    uint32_t target = 0;
    if (MOVEREG(t, -1, prefix) == -1) target = t.recno();
    t.go_to(current);
    if (target == 0 && MOVEREG(t, 1, prefix) == 1) target = t.recno();
    t.go_to(current);
    t.delete_record();
    if (target != 0) {
      t.go_to(target);
    } else {
      keyboard().clear();
    }
  }
  browse.refresh_all();
  return true;
}

}  // namespace kav
