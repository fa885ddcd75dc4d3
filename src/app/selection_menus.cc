#include "app/selection_menus.h"

#include <cstdint>
#include <vector>

#include "app/pending_screen.h"
#include "app/submenu.h"
#include "base/trim.h"
#include "shell/colour.h"
#include "shell/entry_form.h"
#include "shell/menu.h"
#include "shell/message.h"
#include "shell/shell_state.h"
#include "store/store_global.h"

namespace kav {

namespace {

// Draws a selection menu below (row, col) and answers the choice (0 on
// Esc); the screen under it is put back.
int choose(int row, int col, const std::vector<MenuItem>& items, int initial = 1) {
  const Region saved = screen().save_all();
  ColourGuard colour;
  const std::vector<MenuPrompt> prompts = draw_menu(row, col, items);
  set_colour(SETCOR("MENU"));
  const int choice = menu_choice(prompts, initial);
  screen().restore(saved);
  return choice;
}

// A code of `digits` digits typed at (row, col) with `hint` on the message
// line. `value` is the code last typed in the menu; one too wide for this
// field starts again at zero. False on Esc or a zero code; otherwise
// `code` is the value zero-padded.
bool ask_code(int row, int col, int digits, const std::string& hint, int64_t* value,
              std::string* code) {
  int64_t limit = 1;
  for (int i = 0; i < digits; ++i) limit *= 10;
  if (*value >= limit || *value < 0) *value = 0;
  const Region saved = screen().save_all();
  ColourGuard colour;
  set_colour(SETCOR("CAMPOGET"));
  MENSAGEM("AVISE", hint);
  EntryForm form;
  form.number(row, col, value, digits);
  const bool typed = form.read();
  screen().restore(saved);
  if (!typed || *value == 0) return false;
  *code = std::to_string(*value);
  code->insert(0, size_t(digits) - code->size(), '0');
  return true;
}

// One code prompt of a selection menu: the entry's label, the field's
// place and width, and its hint.
struct CodePrompt {
  const char* label;
  const char* menu_hint;
  int col;  // 0: just after the label
  int digits;
  const char* field_hint;
};

int field_col(const CodePrompt& p, int menu_col) {
  return p.col != 0 ? p.col : menu_col + int(std::string(p.label).size()) + 1;
}

}  // namespace

void MN_0202(const ModeCodeScreen& s0202) {
  static const CodePrompt kCodes[] = {
      {"Um ESTABELECIMENTO", "Tecle ENTER e informe o código do CNES a emitir o acompanhamento",
       34, 7, "INFORME CÓDIGO DO ESTAB."},
      {"Estabel. de um Município",
       "Tecle ENTER e informe o código do Município a emitir o acompanhamento", 36, 6,
       "INFORME CÓDIGO DO MUNICIPIO"},
      {"Estabel. de uma Região de Saúde",
       "Tecle ENTER e informe o código da Região de Saúde a emitir o acompanhamento", 34, 3,
       "INFORME CÓDIGO DA REGIÃO DE SAÚDE"},
  };
  static const char* const kModes[] = {"ONLYUPS", "ONLYMUNIC", "ONLYREGSAU"};
  std::vector<MenuItem> items = {
      {"Todos Estabel. da Secretária", "Imprime todos Acompanhamentos Orçamentários"}};
  for (const CodePrompt& p : kCodes) items.push_back({p.label, p.menu_hint});
  static int64_t value = 0;  // the code last typed, offered again
  int choice = 1;
  while ((choice = choose(8, 11, items, choice)) != 0) {
    if (choice == 1) return s0202("", "");
    const CodePrompt& p = kCodes[choice - 2];
    std::string code;
    if (ask_code(8 + choice, field_col(p, 11), p.digits, p.field_hint, &value, &code)) {
      return s0202(kModes[choice - 2], code);
    }
  }
}

void MN_S0505(const OrderScreen& s0505, const OrderScreen& s0506) {
  const std::vector<MenuItem> items = {
      {"Classificação por nome", "Relação de vlr.bruto de producao ordenada por nome"},
      {"Sub-Tipo de Financiamento por nome",
       "Relação de vlr.bruto por sub-tipo financ. ordenada por nome"},
      {"Classificação por Região de Saúde e nome",
       "Relação de vlr.bruto de produção ordenada por Região de Saúde e nome"},
      {"Sub-Tipo de Financ.p/Reg. de Saúde e nome",
       "Relação de vlr.bruto por sub-tipo financ. ord.p/Reg.Saúde e nome"},
  };
  switch (choose(11, 20, items)) {
    case 1: return s0505("");
    case 2: return s0506("");
    case 3: return s0505("REGIAO");
    case 4: return s0506("REGIAO");
  }
}

void MNSITUACAO(int row, int col, const std::function<void(const SynthesisChoice&)>& s0507) {
  static const CodePrompt kCodes[] = {
      {" - Um CNES    :", "Tecle ENTER e informe o CÓDIGO do CNES a emitir", 0, 7,
       "INFORME O CÓDIGO DO CNES"},
      {" - Um Municipio :", "Tecle ENTER e informe o CÓDIGO do estado/municipio a emitir", 0, 6,
       "INFORME O CÓDIGO DO ESTADO/MUNICIPIO"},
      {" - Uma Região de Saúde:", "Tecle ENTER e informe o CÓDIGO da Região de Saúde a emitir", 0,
       3, "INFORME O CÓDIGO DA REGIÃO DE SAÚDE"},
  };
  SynthesisChoice selection;
  static int64_t value = 0;  // the code last typed, offered again
  int choice = 1;
  for (;;) {
    std::vector<MenuItem> items = {
        {selection.only_errors ? "Relatorio - Apenas Registros com Erro "
                               : "Relatorio com todos os registros      ",
         "Tecle ENTER para escolher entre todos os registros e apenas os com erro"},
        {" - Todos os CNES", "PREPARE A IMPRESSORA E TECLE ENTER"}};
    for (const CodePrompt& p : kCodes) items.push_back({p.label, p.menu_hint});
    choice = choose(row, col, items, choice);
    if (choice == 0) return;
    if (choice == 1) {
      selection.only_errors = !selection.only_errors;
      continue;
    }
    if (choice == 2) return s0507(selection);
    const CodePrompt& p = kCodes[choice - 3];
    std::string code;
    if (!ask_code(row + choice, field_col(p, col), p.digits, p.field_hint, &value, &code)) {
      continue;
    }
    std::string* target[] = {&selection.unit, &selection.municipality, &selection.region};
    *target[choice - 3] = code;
    return s0507(selection);
  }
}

void MNSIT0570(int row, int col, const std::function<void(const std::string& unit)>& s0570) {
  static const CodePrompt kUnit = {"EMITIR O ESTABEL.:", "TECLE ENTER E INFORME O CÓDIGO DO ESTAB.",
                                   0, 7, "INFORME O CÓDIGO DO ESTAB."};
  const std::vector<MenuItem> items = {
      {"EMITIR TODOS ESTABELECIMENTOS", "PREPARE A IMPRESSORA E TECLE ENTER"},
      {kUnit.label, kUnit.menu_hint}};
  static int64_t value = 0;  // the code last typed, offered again
  int choice = 1;
  while ((choice = choose(row, col, items, choice)) != 0) {
    std::string unit = "0000000";
    if (choice == 2 &&
        !ask_code(row + 2, field_col(kUnit, col), kUnit.digits, kUnit.field_hint, &value, &unit)) {
      continue;
    }
    if (!USAR("PAP")) return;
    return s0570(unit);
  }
}

void MN_0518() {
  // The shipment import, its managers and the unpacking need the VERKAV
  // mode; the follow-up on the site does not.
  struct Entry {
    MenuItem item;
    bool verkav_only;
    std::function<void()> run;
  };
  static const Entry kEntries[] = {
      {{"IMPORTAR REMESSA VBQ", "Importa Remessa VBQ"}, true, [] { pending_screen("S0518"); }},
      {{"CONSULTAR GESTORES DO VBQ", "Consulta os gestores na remessa VBQ"}, true,
       [] { pending_screen("S0519"); }},
      {{"DESCOMPACTAR VBQ ABRINDO GDB", "Retira o arquivo GDB da remessa VBQ"}, true,
       [] { pending_screen("S0520"); }},
      {{"ACOMPANHAR REMESSA", "Acompanha a remessa no site - necessario acesso internet."}, false,
       [] { pending_screen("S0521"); }},
  };
  std::vector<MenuItem> items;
  for (const Entry& e : kEntries) items.push_back(e.item);
  int choice = 1;
  while ((choice = choose(8, 11, items, choice)) != 0) {
    const Entry& e = kEntries[choice - 1];
    if (e.verkav_only && shell().CTEST_FUNCAO != "VERKAV") {
      MENSAGEM("ESPERE", "ROTINA EM DESENVOLVIMENTO");
    } else {
      e.run();
    }
  }
}

}  // namespace kav
