#include "admin/fautor_uso.h"

#include "admin/users_session.h"
#include "shell/message.h"
#include "store/store_global.h"

namespace kav {

bool FAUTOR_USO(std::vector<std::string>* rights, const std::string& mode,
                const std::string& identification, const std::string& password) {
  USAR("CTR");
  USAR("SS");
  if (mode == "ACESSAR") return login_screen(rights, identification, password);
  if (mode == "TROCAR") {
    password_change_screen();
    return true;
  }
  if (mode == "GERENCIAR") {
    authorisations_screen();
    return true;
  }
  if (mode == "INICIAR") return save_users(initial_users());
  MENSAGEM("ESPERE", "ANALISTA : FALTA PARAMETRO NA FUNCAO FAUTOR_USO");
  return false;
}

}  // namespace kav
