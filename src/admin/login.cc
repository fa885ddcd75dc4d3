// The login screen: identification and password, two attempts each.
#include "admin/password_prompt.h"
#include "admin/users_session.h"
#include "base/latin1.h"
#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/entry_form.h"
#include "shell/header.h"
#include "shell/message.h"
#include "shell/shell_state.h"
#include "store/store_global.h"

namespace kav {

namespace {

constexpr int kAttempts = 2;
constexpr int kFieldRow = 19, kLabelCol = 19, kFieldCol = 35;
constexpr char kIdentificationPicture[] = "@! NNNNNNNNNN";
constexpr char kIdentificationHint[] = "DIGITE A SUA IDENTIFICAÇÃO";
constexpr char kReleaseNotes[] = "LERNOTAS.TXT";

// The identification as its field keeps it: upper case, 10 wide.
std::string as_identification(const std::string& text) {
  std::string id = latin1_upper(text);
  id.resize(kIdentificationWidth, ' ');
  return id;
}

void draw_login_screen() {
  CABEC("ACESSO", "AUTORIZAÇÃO PARA USO DO SISTEMA");
  Screen& s = screen();
  s.put(5, 33, "Importante", parse_scheme(SETCOR("PISCA")).normal);
  const Attr info = parse_scheme(SETCOR("OUTRO1")).normal;
  const std::string lines[] = {
      "  - Para informações detalhadas sobre a " + shell().DEF_KAV_VER,
      "    tecle F8 para impressão do LerNotas.TXT",
      "  - O usuário tambem visualiza o LerNotas através da tecla F12 no MENU"};
  for (int r = 7; r <= 18; ++r) {
    std::string text = r >= 16 ? lines[r - 16] : "";
    text.resize(70, ' ');
    s.put(r, 4, text, info);
  }
  s.put(kFieldRow, kLabelCol, "IDENTIFICAÇÃO : ", current_scheme().normal);
}

// Sends the release notes to the printer, when there is one ready.
void print_release_notes() {
  if (!store().exists(kReleaseNotes)) {
    MENSAGEM("ESPERE", std::string("ARQUIVO ") + kReleaseNotes + " NAO ENCONTRADO");
  } else if (!shell().print_file || !shell().print_file(store().path(kReleaseNotes)).ok()) {
    MENSAGEM("ESPERE", "PREPARE A IMPRESSORA");
  }
  MENSAGEM("AVISE", kIdentificationHint);
}

// F8 prints the release notes while the identification is edited; the
// other hot keys stay as they were.
class ReleaseNotesKey {
 public:
  ReleaseNotesKey() : saved_(keyboard().suspend_hot_keys()) {
    Keyboard::HotKeys during = saved_;
    std::erase_if(during, [](const auto& h) { return h.second.code == key::f(8); });
    during["LERNOTAS"] = {key::f(8), [] {
                            print_release_notes();
                            return true;
                          }};
    keyboard().reinstate_hot_keys(std::move(during));
  }
  ~ReleaseNotesKey() { keyboard().reinstate_hot_keys(std::move(saved_)); }

 private:
  Keyboard::HotKeys saved_;
};

int find_user(const UsersList& users, const std::string& id) {
  for (size_t i = 0; i < users.size(); ++i) {
    if (users[i].identification == id) return static_cast<int>(i);
  }
  return -1;
}

// The entry of the identification given or typed; -1 on Esc or after two
// refusals.
int ask_identification(const UsersList& users, const std::string& given) {
  std::string id(kIdentificationWidth, ' ');
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    EntryForm form;
    form.text(kFieldRow, kFieldCol, &id, kIdentificationPicture);
    if (attempt == 1 && !given.empty()) {
      id = as_identification(given);
      form.display();
    } else {
      MENSAGEM("AVISE", kIdentificationHint);
      ReleaseNotesKey f8;
      if (!form.read()) return -1;
    }
    const int found = find_user(users, id);
    if (found >= 0) return found;
    MENSAGEM("ESPERE", attempt < kAttempts ? "IDENTIFICAÇÃO RECUSADA - TENTE NOVAMENTE"
                                           : "IDENTIFICAÇÃO RECUSADA");
  }
  return -1;
}

}  // namespace

bool login_screen(std::vector<std::string>* rights, const std::string& identification,
                  const std::string& password) {
  UsersSession& session = users_session();
  session = UsersSession();
  const Status st = read_users_file(users_file_path(), &session.users);
  if (!st.ok()) {
    MENSAGEM("ESPERE", "O ARQUIVO DE SENHAS NAO FOI ENCONTRADO !");
    MENSAGEM("ESPERE", "INSTALE OU RE-INSTALE O ARQUIVO DE SENHAS !");
    return false;
  }
  draw_login_screen();
  const int entry = ask_identification(session.users, identification);
  if (entry < 0) return false;
  const PasswordPrompt prompt{"DIGITE A SUA SENHA", kFieldRow + 1, kLabelCol, "        SENHA : ",
                              "SENHA INVÁLIDA - TENTE NOVAMENTE", "SENHA INVÁLIDA"};
  if (!ask_password(prompt, session.users[entry].password, password)) return false;
  session.current = entry;
  const auto& flags = session.users[entry].rights;
  rights->assign(flags.begin(), flags.end());
  return true;
}

}  // namespace kav
