// The users and rights screen: rename users, grant and withdraw rights,
// reset passwords.
#include "admin/users_session.h"
#include "base/trim.h"
#include "platform/keys.h"
#include "shell/array_cursor.h"
#include "shell/browse.h"
#include "shell/colour.h"
#include "shell/entry_form.h"
#include "shell/header.h"
#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

constexpr int kTop = 5, kLeft = 1, kBottom = 20, kRight = 78;
constexpr int kFirstDataRow = kTop + 2;  // below the headings and their line
constexpr int kUserWidth = 10, kRightWidth = 8;
// The rights shown: the six areas of the main bar (not the management one).
constexpr const char* kRightHeadings[] = {"CADASTRO ", "ORCAMENTO", "PRODUCAO ",
                                          "DIFERENCA", "VLR.BRUTO", "OPERADOR "};
constexpr int kColumns = 1 + static_cast<int>(std::size(kRightHeadings));

int column_start(int column) {
  return column == 0 ? kLeft : kLeft + kUserWidth + 1 + (column - 1) * (kRightWidth + 1);
}
int column_width(int column) { return column == 0 ? kUserWidth : kRightWidth; }

std::string shown_right(const std::string& flag) { return flag == "N" ? "NAO PODE" : "  PODE  "; }

// Column movement of Left, Right, Home, End and the pan keys.
int moved_column(int code, int column) {
  switch (code) {
    case key::kLeft: case key::kCtrlLeft: return std::max(0, column - 1);
    case key::kRight: case key::kCtrlRight: return std::min(kColumns - 1, column + 1);
    case key::kHome: case key::kCtrlHome: return 0;
    case key::kEnd: case key::kCtrlEnd: return kColumns - 1;
    default: return -1;
  }
}

class AuthorisationsScreen {
 public:
  explicit AuthorisationsScreen(UsersList* users)
      : users_(*users), cursor_(users->size()), browse_(&cursor_, nullptr, nullptr, nullptr, nullptr) {
    browse_.set_window(kTop, kLeft, kBottom, kRight);
    browse_.set_colour(FSETCOR("BROWSE"));
    browse_.add_column("USUARIO", kUserWidth, [this] { return user().identification; });
    for (size_t r = 0; r < std::size(kRightHeadings); ++r) {
      browse_.add_column(kRightHeadings[r], kRightWidth, [this, r] { return shown_right(user().rights[r]); });
    }
  }

  void run() {
    for (;;) {
      draw();
      const int code = keyboard().wait_key().code;
      if (code == key::kEsc) return;
      if (browse_.navigate(code)) continue;
      if (const int c = moved_column(code, column_); c >= 0) {
        column_ = c;
      } else if (code == key::f(5) && column_ > 0) {
        toggle_right();
      } else if (code == key::f(6)) {
        reset_password();
      } else if (code == key::kEnter && column_ == 0) {
        edit_identification();
      }
    }
  }

 private:
  UserEntry& user() { return users_[cursor_.row()]; }
  // Every entry fits the window, so the current one is at its ordinal.
  int current_row() const { return kFirstDataRow + browse_.ordinal() - 1; }

  void draw() {
    browse_.stabilize();
    const Scheme sc = parse_scheme(FSETCOR("BROWSE"));
    const int row = current_row();
    for (int c = 0; c < kColumns; ++c) {
      const Attr a = c == column_ ? sc.selected : sc.normal;
      for (int i = 0; i < column_width(c); ++i) screen().set_attr(row, column_start(c) + i, a);
    }
    screen().put(23, 10, "<ENTER> EDITA USUARIO   <F5> PERMISSAO   <F6> SENHA", current_scheme().normal);
  }

  // Saves a changed copy; the screen shows it only once written.
  void save(const UsersList& changed) {
    if (save_users(changed)) users_ = changed;
  }

  void toggle_right() {
    UsersList changed = users_;
    std::string& flag = changed[cursor_.row()].rights[column_ - 1];
    flag = flag == "N" ? "P" : "N";
    save(changed);
  }

  void reset_password() {
    const std::string question = "SENHA DE " + user().identification + " SERA <" +
                                 std::string(1, kInitialPasswordLetter) + ">";
    if (CONFIRMA(question) != "S") return;
    UsersList changed = users_;
    changed[cursor_.row()].password = initial_password();
    save(changed);
  }

  bool acceptable(const std::string& id) {
    if (trim(id).empty()) {
      MENSAGEM("ESPERE", "A IDENTIFICACAO NAO PODE FICAR EM BRANCO");
      return false;
    }
    for (size_t i = 0; i < users_.size(); ++i) {
      if (i != cursor_.row() && users_[i].identification == id) {
        MENSAGEM("ESPERE", "USUARIO JA EXISTE");
        return false;
      }
    }
    return true;
  }

  void edit_identification() {
    std::string id = user().identification;
    MENSAGEM("AVISE", "ATUALIZE A IDENTIFICACAO DO USUARIO.");
    EntryForm form;
    form.text(current_row(), column_start(0), &id, "@! NNNNNNNNNN").valid([this, &id] {
      const bool ok = acceptable(id);
      MENSAGEM("AVISE", "ATUALIZE A IDENTIFICACAO DO USUARIO.");
      return ok;
    });
    const bool left = form.read();
    MENSAGEM("AVISE", "");
    if (!left) return;
    UsersList changed = users_;
    changed[cursor_.row()].identification = id;
    save(changed);
  }

  UsersList& users_;
  ArrayCursor cursor_;
  Browse browse_;
  int column_ = 0;
};

}  // namespace

void authorisations_screen() {
  CABEC("GERENCIA", "GERENCIA DE AUTORIZACOES");
  UsersList& users = users_session().users;
  if (users.empty()) {
    MENSAGEM("ESPERE", "ARRAY DE USUARIOS VAZIO");
    return;
  }
  AuthorisationsScreen(&users).run();
  set_colour("W/N");
  screen().set_cursor_shape(CursorShape::kNormal);
}

}  // namespace kav
