#include "app/submenu.h"

#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/menu.h"
#include "shell/menu_checks.h"
#include "shell/message.h"
#include "shell/shell_state.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

constexpr int kBarItems = 7;
constexpr const char* kLeftKey = "SUBMENU_ESQUERDA";
constexpr const char* kRightKey = "SUBMENU_DIREITA";

// Left and Right leave the submenu for its neighbour on the bar: Esc, the
// arrow and Enter go into the keyboard; no Enter when the neighbour is
// "Saída" (left of the first item, right of the last submenu).
void redirect_arrows(int bar_item) {
  auto to = [](int arrow, bool open) {
    return [arrow, open] {
      keyboard().push(key::kEsc);
      keyboard().push(arrow);
      if (open) keyboard().push(key::kEnter);
      return true;
    };
  };
  keyboard().install_hot_key(kLeftKey, key::kLeft, to(key::kLeft, bar_item != 1));
  keyboard().install_hot_key(kRightKey, key::kRight, to(key::kRight, bar_item != kBarItems - 1));
}

void end_redirection() {
  keyboard().remove_hot_key(kLeftKey);
  keyboard().remove_hot_key(kRightKey);
}

bool allowed(const SubmenuEntry& e, const Submenu& menu, const std::vector<std::string>& rights) {
  const std::vector<int> needed = e.rights.value_or(std::vector<int>{menu.bar_item});
  for (int r : needed) {
    if (r >= 1 && r <= int(rights.size()) && rights[r - 1] == "N") return false;
  }
  return true;
}

// A credit-state condition: passes when `ok`, else shows `refusal`.
bool credit_check(bool ok, const char* refusal) {
  if (!ok) MENSAGEM("ESPERE", refusal);
  return ok;
}

bool met(Need need) {
  const auto credit = [] { return control_field("CTR", "CTR_CRD"); };
  switch (need) {
    case Need::kKit: return VER_BDKAV_CMP();
    case Need::kMapping: return VRF_DEPARA();
    case Need::kValued: {
      const std::string c = credit();
      return credit_check(c != "A" && c != "I", "O VALOR BRUTO NAO FOI REALIZADO");
    }
    case Need::kValuedReport: {
      const std::string c = credit();
      return credit_check(c != "A" && c != "I", "O VALOR BRUTO NÃO FOI REALIZADO");
    }
    case Need::kOpen: return credit_check(credit() == "A", "O VALOR BRUTO JA FOI REALIZADO");
    case Need::kCreditProcessed:
      return credit_check(credit() != "A", "NÃO FOI PROCESSADO O VALOR BRUTO");
  }
  return false;
}

// Draws the entries below the bar and answers the choice (0 on Esc).
int choose(const Submenu& menu, const std::vector<SubmenuEntry>& entries, int initial) {
  ColourGuard colour;
  screen().fill(8, 2, 19, 77, ' ', parse_scheme(SETCOR("OUTRO1")).normal);
  std::vector<MenuItem> items;
  for (const SubmenuEntry& e : entries) items.push_back({e.label, e.hint});
  const std::vector<MenuPrompt> prompts = draw_menu(6, menu.column, std::move(items));
  set_colour(SETCOR("MENU"));
  redirect_arrows(menu.bar_item);
  const int choice = menu_choice(prompts, initial);
  end_redirection();
  return choice;
}

void after_entry(AfterEntry after) {
  switch (after) {
    case AfterEntry::kCloseAll: USAR("FECHANDO"); break;
    case AfterEntry::kKeepOpen: break;
    case AfterEntry::kCloseWithoutStamps: store().workspace().CloseAll(); break;
  }
}

}  // namespace

std::vector<MenuPrompt> draw_menu(int row, int col, std::vector<MenuItem> items) {
  size_t width = 0;
  for (const MenuItem& item : items) width = std::max(width, item.label.size());
  if (!items.empty()) items[0].label.resize(width, ' ');
  return MONTA_MENU(row, col, items);
}

void run_submenu(const Submenu& menu, const std::vector<std::string>& rights) {
  const Region saved = screen().save_all();
  int choice = 1;
  for (;;) {
    if (menu.before_display) menu.before_display();
    const std::vector<SubmenuEntry> entries = menu.entries();
    choice = choose(menu, entries, choice);
    if (choice == 0) break;
    const SubmenuEntry& entry = entries[choice - 1];
    if (!allowed(entry, menu, rights)) {
      MENSAGEM("ESPERE", "ACESSO NEGADO");
      continue;
    }
    bool ready = true;
    for (Need need : entry.needs) {
      if (!(ready = met(need))) break;
    }
    if (!ready) continue;
    if (entry.drops_clipboard_keys) {
      keyboard().remove_hot_key("CTRL_C");
      keyboard().remove_hot_key("CTRL_V");
    }
    entry.run();
    after_entry(menu.after);
    screen().restore(saved);
    if (entry.back_to_bar) return;
  }
  screen().restore(saved);
}

}  // namespace kav
