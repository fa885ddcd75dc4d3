#include "admin/users_session.h"

#include "shell/message.h"
#include "store/store_global.h"

namespace kav {

UsersSession& users_session() {
  static UsersSession session;
  return session;
}

std::string users_file_path() { return store().path(kUsersFileName); }

bool save_users(const UsersList& users) {
  const Status st = write_users_file(users_file_path(), users);
  if (st.ok()) return true;
  MENSAGEM("ESPERE", "ARQUIVO DE SENHAS NAO GRAVADO: " + st.message());
  return false;
}

}  // namespace kav
