// Operator access: the login, the change of one's own password, the
// management of the authorisations, and the making of a new users file.
#pragma once

#include <string>
#include <vector>

namespace kav {

// mode "ACESSAR": the login screen (with the identification and password of
// the command line, when given); on success `rights` becomes the operator's
// seven flags. "TROCAR": the logged-in operator changes the password.
// "GERENCIAR": the users and rights screen. "INICIAR": writes the initial
// users file. Answers false on a failed login or a file not written.
bool FAUTOR_USO(std::vector<std::string>* rights, const std::string& mode,
                const std::string& identification = "", const std::string& password = "");

}  // namespace kav
