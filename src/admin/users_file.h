// The users file S_USAKAV.DBI: 14 operators, each with a password, an
// identification and seven rights, kept as an array file whose texts are
// scrambled so that a text editor shows nothing readable.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/status.h"

namespace kav {

inline constexpr char kUsersFileName[] = "S_USAKAV.DBI";
inline constexpr int kUserCount = 14;
inline constexpr int kPasswordWidth = 6;
inline constexpr int kIdentificationWidth = 10;
// Every new user logs in with this letter followed by five blanks.
inline constexpr char kInitialPasswordLetter = 'K';

// Scrambles ("CRIPTO") or unscrambles ("DECRIPTO") `text` byte by byte.
// Any other mode is a programming error: a message and the program ends.
std::string FCRIPTO(const std::string& text, const std::string& mode);

// One operator: password (6), identification (10), rights "P" or "N" for
// Cadastro, Orçamento, Produção, Dif.Pagto., Vlr.Bruto, Operador and the
// management of the authorisations.
struct UserEntry {
  std::string password, identification;
  std::array<std::string, 7> rights;
  bool operator==(const UserEntry&) const = default;
};
using UsersList = std::vector<UserEntry>;

// The initial password: the letter and five blanks.
std::string initial_password();
// The list a new users file holds: "A" with every right, "U02".."U14"
// without the management right.
UsersList initial_users();

// Writes the whole list, replacing the file only when complete.
Status write_users_file(const std::string& path, const UsersList& users);
// Reads the list: NotFound when there is no file, Corrupt when it is not a
// list of 14 entries of 9 texts of the right widths (nothing is returned).
Status read_users_file(const std::string& path, UsersList* out);
// Writes the initial list to `path`.
Status write_initial_users(const std::string& path);

}  // namespace kav
