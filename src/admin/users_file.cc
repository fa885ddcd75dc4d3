#include "admin/users_file.h"

#include "shell/message.h"
#include "shell/shell_state.h"
#include "store/array_file.h"

namespace kav {

namespace {

// The amount added to the byte at 1-based position i.
int shift(size_t i) { return (i % 2 == 0) ? static_cast<int>(i) + 7 : static_cast<int>(i) + 3; }

ArrayItem scrambled(const std::string& text) { return ArrayItem::Text(FCRIPTO(text, "CRIPTO")); }

// A text element of exactly `width` bytes, unscrambled.
bool take_text(const ArrayItem& item, size_t width, std::string* out) {
  if (item.type != 'C' || item.text.size() != width) return false;
  *out = FCRIPTO(item.text, "DECRIPTO");
  return true;
}

bool take_entry(const ArrayItem& item, UserEntry* out) {
  if (item.type != 'A' || item.items.size() != 9) return false;
  if (!take_text(item.items[0], kPasswordWidth, &out->password)) return false;
  if (!take_text(item.items[1], kIdentificationWidth, &out->identification)) return false;
  for (size_t r = 0; r < out->rights.size(); ++r) {
    if (!take_text(item.items[r + 2], 1, &out->rights[r])) return false;
  }
  return true;
}

}  // namespace

std::string FCRIPTO(const std::string& text, const std::string& mode) {
  int sign = 0;
  if (mode == "CRIPTO") {
    sign = 1;
  } else if (mode == "DECRIPTO") {
    sign = -1;
  } else {
    MENSAGEM("ESPERE", "O(A) ANALISTA ESQUECEU O PARAMETRO DA FCRIPTO");
    quit_program(1);
  }
  std::string out = text;
  for (size_t i = 0; i < out.size(); ++i) {
    const int code = static_cast<unsigned char>(out[i]) + sign * shift(i + 1);
    out[i] = static_cast<char>(static_cast<unsigned char>(code & 0xFF));
  }
  return out;
}

std::string initial_password() {
  return std::string(1, kInitialPasswordLetter) + std::string(kPasswordWidth - 1, ' ');
}

UsersList initial_users() {
  UsersList users;
  for (int n = 1; n <= kUserCount; ++n) {
    UserEntry e;
    e.password = initial_password();
    std::string id = "A";
    if (n > 1) id = "U" + std::string(n < 10 ? "0" : "") + std::to_string(n);
    e.identification = id + std::string(kIdentificationWidth - id.size(), ' ');
    e.rights.fill("P");
    if (n > 1) e.rights[6] = "N";
    users.push_back(e);
  }
  return users;
}

Status write_users_file(const std::string& path, const UsersList& users) {
  ArrayList list;
  for (const UserEntry& e : users) {
    ArrayList items{scrambled(e.password), scrambled(e.identification)};
    for (const std::string& r : e.rights) items.push_back(scrambled(r));
    list.push_back(ArrayItem::List(std::move(items)));
  }
  return SAVEARRAY(list, path);
}

Status read_users_file(const std::string& path, UsersList* out) {
  out->clear();
  ArrayList list;
  Status st = RESTARRAY(path, &list);
  if (st.is_not_found()) return st;
  const Status damaged = Status::Corrupt("arquivo de senhas danificado: " + path);
  if (!st.ok() || list.size() != static_cast<size_t>(kUserCount)) return damaged;
  UsersList users(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    if (!take_entry(list[i], &users[i])) return damaged;
  }
  *out = std::move(users);
  return Status::Ok();
}

Status write_initial_users(const std::string& path) {
  return write_users_file(path, initial_users());
}

}  // namespace kav
