// The logged-in operator's change of password.
#include "admin/password_prompt.h"
#include "admin/users_session.h"
#include "shell/header.h"
#include "shell/message.h"

namespace kav {

void password_change_screen() {
  UsersSession& session = users_session();
  if (session.current < 0 || session.current >= static_cast<int>(session.users.size())) {
    MENSAGEM("ESPERE", "NENHUM USUARIO IDENTIFICADO");
    return;
  }
  CABEC("ACESSO", "TROCA DE SENHA.");
  const PasswordPrompt current{"DIGITE A SUA SENHA ATUAL", 12, 19, "    DIGITE A SENHA ATUAL : ",
                               "SENHA ATUAL INVALIDA", "SENHA ATUAL INVALIDA"};
  if (!ask_password(current, session.users[session.current].password)) return;
  const PasswordPrompt fresh{"DIGITE A SUA NOVA SENHA", 14, 19, "  A NOVA SENHA DE ACESSO : ", "", ""};
  std::string password;
  if (!read_password(fresh, &password)) return;
  const PasswordPrompt again{"CONFIRME A SUA NOVA SENHA", 14, 13,
                             "REENTRE A NOVA SENHA DE ACESSO : ", "SENHA DIFERENTE ! ",
                             "SENHA DIFERENTE ! "};
  if (!ask_password(again, password)) return;
  UsersList changed = session.users;
  changed[session.current].password = password;
  if (!save_users(changed)) return;
  session.users = std::move(changed);
  MENSAGEM("ESPERE", " - SENHA ATUALIZADA - ");
}

}  // namespace kav
