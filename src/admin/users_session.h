// The users list as last read and the operator of the last login, shared by
// the login, the password change and the authorisations screen.
#pragma once

#include <string>
#include <vector>

#include "admin/users_file.h"

namespace kav {

struct UsersSession {
  UsersList users;
  int current = -1;  // entry of the logged-in operator
};
UsersSession& users_session();

// The users file of the program folder.
std::string users_file_path();
// Rewrites the users file with `users`; a failure is shown and answers false.
bool save_users(const UsersList& users);

// The screens of FAUTOR_USO.
bool login_screen(std::vector<std::string>* rights, const std::string& identification,
                  const std::string& password);
void password_change_screen();
void authorisations_screen();

}  // namespace kav
