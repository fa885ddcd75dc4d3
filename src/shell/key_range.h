// Browses over the records of the current index whose key begins with a
// prefix: the top, bottom and skip actions of the consultations, and the
// deletion of the current record.
#pragma once

#include <functional>
#include <string>

#include "shell/browse.h"
#include "shell/table_cursor.h"

namespace kav {

// Positions `table` on the first record of the prefix.
void INICFAIXA(TableCursor& table, const std::string& prefix);
// Positions `table` on the last record of the prefix and answers the action
// that does so again.
std::function<void()> FIMDAFAIXA(TableCursor& table, const std::string& prefix);
// Moves up to n records (negative: back) without leaving the prefix;
// answers how many it moved.
int MOVEREG(TableCursor& table, int n, const std::string& prefix);
// Asks "CONFIRMA A DELECAO" and deletes the current record; false on "N".
bool DELETA(Browse& browse, const std::string& prefix);

}  // namespace kav
