#include "app/main_menu.h"

#include "app/submenu.h"
#include "platform/screen.h"
#include "shell/clipboard_keys.h"
#include "shell/colour.h"
#include "shell/header.h"
#include "shell/home_screen.h"
#include "shell/menu.h"
#include "shell/menu_checks.h"
#include "shell/shell_state.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

constexpr int kLeaveItem = 7;
constexpr Glyph kDoubleHorizontal = 0x2550;

struct BarItem {
  int col;
  const char* label;
  const char* hint;
};
constexpr BarItem kBar[] = {
    {1, "Cadastro", "CONSULTA DE ESTABELECIMENTOS, MANTENEDORAS E TABELAS"},
    {14, "Orçamento", "CONSULTA DA PROGRAMAÇÃO FÍSICA ORÇAMENTÁRIA"},
    {27, "Produção", "ATUALIZAÇÃO DA PRODUÇÃO AMBULATORIAL"},
    {39, "Dif.Pagto.", "ATUALIZAÇÃO DAS DIFERENCAS DE PAGAMENTO"},
    {53, "Vlr.Bruto", "GERAÇÃO DO VALOR BRUTO AMBULATORIAL"},
    {64, "Operador", "ADMINISTRACAO DO SISTEMA"},
    {74, "Saída", "SAÍDA DO SISTEMA"},
};

// The home screen under the bar: header, the shaded bar row, the line
// below it, and the information lines from 201304.
void draw_home(const std::string& movement) {
  CABEC("0000  ", "MENU INICIAL");
  const Attr header = current_scheme().normal;
  screen().fill(6, 1, 6, 78, kDoubleHorizontal, header);
  screen().fill(5, 1, 5, 78, glyph::kLightShade, header);
  if (movement >= "201304") ATUALIZA_INFORMACOES_TELA_PRINCIPAL();
}

int choose_on_bar(int initial) {
  ColourGuard colour;
  set_colour(SETCOR("PMENU"));
  screen().fill(23, 0, 23, 79, ' ', current_scheme().normal);
  std::vector<MenuPrompt> prompts;
  for (const BarItem& item : kBar) prompts.push_back({5, item.col, item.label, item.hint});
  return menu_choice(prompts, initial);
}

}  // namespace

BarExit main_bar(const std::vector<std::string>& rights) {
  static int last_chosen = 1;
  for (;;) {
    install_hot_keys();
    USAR("CTR");
    const std::string movement = control_field("CTR", "CTR_MVM");
    shell().CTEST_FUNCAO = movement >= "201607" ? "VERKAV" : "";
    draw_home(movement);
    const int choice = choose_on_bar(last_chosen);
    if (choice == 0) return BarExit::kLogin;
    last_chosen = choice;
    if (choice == kLeaveItem) return BarExit::kLeave;
    if (choice == 6) USAR("CTR");
    run_submenu(submenu(choice), rights);
  }
}

}  // namespace kav
