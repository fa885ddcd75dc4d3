#include "shell/dbf_cursor.h"

#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

void DbfCursor::check(const Status& st) const {
  if (!st.ok()) storage_failure(st);
}

void storage_failure(const Status& st) {
  fatal_end({"ERRO NA LEITURA OU GRAVACAO DE ARQUIVO:", st.message(),
             "O PROGRAMA SERA ENCERRADO. RESTAURE A ULTIMA COPIA DE SEGURANCA."});
}

}  // namespace kav
