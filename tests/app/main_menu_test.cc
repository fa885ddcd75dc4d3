#include "app/main_menu.h"
#include "app/submenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_test_env.h"
#include "shell/clipboard_keys.h"
#include "shell/shell_state.h"
#include "store/store_global.h"

namespace kav {
namespace {

// Keys that open bar item `n` (1-7) from wherever the bar stands.
std::string bar(int n) {
  std::string keys = "<HOME>";
  for (int i = 1; i < n; ++i) keys += "<RIGHT>";
  return keys + "<ENTER>";
}

// Keys that choose entry `n` of an open submenu.
std::string entry(int n) {
  std::string keys = "<HOME>";
  for (int i = 1; i < n; ++i) keys += "<DOWN>";
  return keys + "<ENTER>";
}

class MainMenuTest : public MenuTest {
 protected:
  // A municipal installation of `movement`, its kit of the same competence.
  void install(const std::string& movement, const std::string& credit = "A") {
    make_control({{"CTR_MVM", movement}, {"CTR_CRD", credit}},
                 {{"SS_SIGL", "SMS-TESTE"}, {"SS_IN", "M"}, {"SS_CONDIC", "MS"},
                  {"SS_DPCNES", "01.24"}});
    make_kit({{"55", "VERSAO", movement + "a"}});
  }
  BarExit bar_run(const std::string& keys, std::vector<std::string> rights = all_rights()) {
    run(keys);
    shell().DEF_TAB_VER = trimmed_kit;
    const BarExit exit = main_bar(rights);
    EXPECT_EQ(console->keys_left(), 0u) << "keys left unread";
    return exit;
  }
  static std::vector<std::string> all_rights() { return std::vector<std::string>(7, "P"); }

  std::string trimmed_kit = "202411a";
};

TEST_F(MainMenuTest, EscOnTheBarAsksForLoginAndSaidaLeaves) {
  install("202411");
  EXPECT_EQ(bar_run("<ESC>"), BarExit::kLogin);
  EXPECT_EQ(row(1).substr(1, 9), "SMS-TESTE");
  EXPECT_EQ(shell().CTEST_FUNCAO, "VERKAV");
  EXPECT_EQ(bar_run(bar(7)), BarExit::kLeave);
  EXPECT_TRUE(shown("SAÍDA DO SISTEMA"));
}

TEST_F(MainMenuTest, BarKeepsTheItemLastChosen) {
  install("202411");
  EXPECT_EQ(bar_run(bar(4) + "<ESC><ESC>"), BarExit::kLogin);
  EXPECT_EQ(row(23).find("ATUALIZAÇÃO DAS DIFERENCAS DE PAGAMENTO") != std::string::npos, true);
  EXPECT_EQ(bar_run("<ESC>"), BarExit::kLogin);  // a new call starts on Dif.Pagto.
  EXPECT_NE(row(23).find("ATUALIZAÇÃO DAS DIFERENCAS DE PAGAMENTO"), std::string::npos);
}

TEST_F(MainMenuTest, RefusalsOfRightsAndPreconditions) {
  const struct {
    const char* name;
    int right_denied;  // 0: none
    std::string keys;
    const char* kit;  // 55VERSAO of the kit
    const char* depara;
    const char* shown;
  } kCases[] = {
      {"right 1 denied", 1, bar(1) + entry(1) + " ", "202411a", "01.24", "ACESSO NEGADO"},
      {"right 3 denied", 3, bar(3) + entry(5) + " ", "202411a", "01.24", "ACESSO NEGADO"},
      {"management right", 7, bar(6) + entry(6) + " ", "202411a", "01.24", "ACESSO NEGADO"},
      {"operator right", 6, bar(6) + entry(1) + " ", "202411a", "01.24", "ACESSO NEGADO"},
      {"kit", 0, bar(3) + entry(1) + " ", "202410a", "01.24",
       "ATUALIZE O BDKAV PARA ESTA COMPETENCIA!"},
      {"kit of payment differences", 0, bar(4) + entry(1) + " ", "202410a", "01.24",
       "ATUALIZE O BDKAV PARA ESTA COMPETENCIA!"},
      {"mapping", 0, bar(2) + entry(1) + " ", "202411a", "01.20", "IMPROPRIA P/ESTA COMPT."},
      {"runs", 0, bar(3) + entry(5) + " ", "202411a", "01.20", "ROTINA EM DESENVOLVIMENTO"},
  };
  install("202411");
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    store_->workspace().CloseAll();
    std::remove(dir.file("S_CDN.DBF").c_str());
    std::remove(dir.file("S_CDN01.NTX").c_str());
    make_kit({{"55", "VERSAO", c.kit}});
    set("SS", {{"SS_DPCNES", c.depara}});
    std::vector<std::string> rights = all_rights();
    if (c.right_denied) rights[c.right_denied - 1] = "N";
    EXPECT_EQ(bar_run(c.keys + "<ESC><ESC>", rights), BarExit::kLogin);
    EXPECT_TRUE(shown(c.shown));
    if (std::string(c.shown) != "ROTINA EM DESENVOLVIMENTO") {
      EXPECT_FALSE(shown("ROTINA EM DESENVOLVIMENTO"));
    }
  }
}

TEST_F(MainMenuTest, GrossValueEntriesByCreditState) {
  const char* const kNotProcessed = "NÃO FOI PROCESSADO O VALOR BRUTO";
  const char* const kNotValued = "O VALOR BRUTO NAO FOI REALIZADO";
  const char* const kNotValuedReport = "O VALOR BRUTO NÃO FOI REALIZADO";
  const char* const kRuns = "ROTINA EM DESENVOLVIMENTO";
  const char* const kSynthesis = " - Todos os CNES";
  const char* const kApacSynthesis = "EMITIR TODOS ESTABELECIMENTOS";
  const char* const kValueLists = "Classificação por nome";
  const struct {
    const char* credit;
    int entry;
    const char* shown;
    const char* keys;  // after the message or the selection menu
  } kCases[] = {
      {"A", 1, kRuns, " "},
      {"A", 2, kNotProcessed, " "},
      {"A", 3, kNotProcessed, " "},
      {"A", 4, kNotProcessed, " "},
      {"A", 5, kNotProcessed, " "},
      {"A", 6, kNotValuedReport, " "},
      {"A", 7, kNotValuedReport, " "},
      {"A", 8, kRuns, " "},
      {"A", 9, kNotValuedReport, " "},
      {"I", 2, kNotValued, " "},
      {"I", 3, kSynthesis, "<ESC>"},
      {"I", 4, kApacSynthesis, "<ESC>"},
      {"I", 5, kNotValued, " "},
      {"I", 6, kNotValuedReport, " "},
      {"I", 7, kNotValuedReport, " "},
      {"I", 8, kRuns, " "},
      {"I", 9, kNotValuedReport, " "},
      {"F", 2, kValueLists, "<ESC>"},
      {"F", 5, kRuns, " "},
      {"F", 6, kRuns, " "},
      {"F", 7, kRuns, " "},
      {"F", 9, kRuns, " "},
  };
  trimmed_kit = "201212a";
  install("201212");
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.credit) + " entry " + std::to_string(c.entry));
    set("CTR", {{"CTR_CRD", c.credit}});
    EXPECT_EQ(bar_run(bar(5) + entry(c.entry) + c.keys + "<ESC><ESC>"), BarExit::kLogin);
    EXPECT_TRUE(shown(c.shown));
    store_->workspace().CloseAll();  // the gross-value menu leaves its tables open
  }
}

TEST_F(MainMenuTest, ReprocessedFederalValuesOnlyIn201212) {
  for (const char* movement : {"201212", "201211", "201301"}) {
    SCOPED_TRACE(movement);
    store_->workspace().CloseAll();
    for (const char* f : {"S_CTR.DBF", "S_SS.DBF", "S_UPS.DBF", "S_CDN.DBF", "S_CDN01.NTX"}) {
      std::remove(dir.file(f).c_str());
    }
    install(movement);
    EXPECT_EQ(bar_run(bar(5) + "<ESC><ESC>"), BarExit::kLogin);
    EXPECT_EQ(shown("EMISSÃO VLRS FEDERAIS REPROCESS."), std::string(movement) == "201212");
    store_->workspace().CloseAll();
  }
}

TEST_F(MainMenuTest, NewCompetenceLabelRollsDecemberToJanuary) {
  for (const auto& [movement, label] : {std::pair{"202412", "(JAN/2025)"},
                                        std::pair{"202411", "(DEZ/2024)"}}) {
    store_->workspace().CloseAll();
    for (const char* f : {"S_CTR.DBF", "S_SS.DBF", "S_UPS.DBF", "S_CDN.DBF", "S_CDN01.NTX"}) {
      std::remove(dir.file(f).c_str());
    }
    install(movement);
    EXPECT_EQ(bar_run(bar(6) + "<HOME><DOWN><ESC><ESC>"), BarExit::kLogin);
    EXPECT_TRUE(shown(std::string("NOVA COMPETÊNCIA ") + label));
    EXPECT_TRUE(shown(std::string("INICIALIZAÇÃO DA PRÓXIMA COMPETÊNCIA ") + label));
  }
}

TEST_F(MainMenuTest, ArrowsInASubmenuMoveAlongTheBar) {
  install("202411");
  // Left from Cadastro only moves the bar to Saída: Enter there leaves.
  EXPECT_EQ(bar_run(bar(1) + "<LEFT>" + "<ENTER>"), BarExit::kLeave);
  EXPECT_NE(row_at_wait(waits() - 1, 23).find("SAÍDA DO SISTEMA"), std::string::npos);
  // Right from Operador the same.
  EXPECT_EQ(bar_run(bar(6) + "<RIGHT>" + "<ENTER>"), BarExit::kLeave);
  // Right from Cadastro opens Orçamento; Left from it opens Cadastro again.
  EXPECT_EQ(bar_run(bar(1) + "<RIGHT>" + "<ESC><ESC>"), BarExit::kLogin);
  EXPECT_TRUE(shown("CONSULTA DO ORÇAMENTO (FPO)"));
  EXPECT_EQ(bar_run(bar(2) + "<LEFT>" + entry(7) + " <ESC><ESC>"), BarExit::kLogin);
  EXPECT_TRUE(shown("IMPORTAÇÃO DE TERCEIROS BRASIL E BASE PADRÃO TXT CNES (DE-PARA)"));
  // Inside a selection menu the arrows are its own again.
  EXPECT_EQ(bar_run(bar(2) + entry(2) + "<RIGHT><ESC><ESC><ESC>"), BarExit::kLogin);
}

using SubmenuRunnerTest = MainMenuTest;

TEST_F(SubmenuRunnerTest, EntryFlagsAndWhatHappensToTheTables) {
  install("202411", "F");
  std::vector<std::string> seen;
  auto probe = [&](const char* name) {
    return [&seen, name] {
      seen.push_back(std::string(name) + (keyboard().has_hot_key("CTRL_C") ? "+C" : "") +
                     (keyboard().has_hot_key("CTRL_V") ? "+V" : ""));
      USAR("SS");
    };
  };
  Submenu menu{6, 45, AfterEntry::kKeepOpen, [&] { seen.push_back("display"); }, nullptr};
  menu.entries = [&] {
    std::vector<SubmenuEntry> entries = {
        {"KEEPS KEYS", "", {}, probe("keeps")},
        {"DROPS KEYS", "", {}, probe("drops")},
        {"NEEDS 6 AND 7", "", {}, probe("both")},
        {"NO RIGHT", "", {}, probe("none")},
        {"OPEN ONLY", "", {Need::kOpen}, probe("open")},
    };
    entries[1].drops_clipboard_keys = true;
    entries[2].rights = std::vector<int>{6, 7};
    entries[3].rights = std::vector<int>{};
    entries[3].back_to_bar = true;
    return entries;
  };
  std::vector<std::string> rights = all_rights();
  rights[6] = "N";  // management of the authorisations
  run(entry(1) + entry(2) + entry(3) + " " + entry(5) + " " + entry(4));
  install_hot_keys();
  run_submenu(menu, rights);
  EXPECT_EQ(seen, (std::vector<std::string>{"display", "keeps+C+V", "display", "drops",
                                            "display", "display", "display", "none"}));
  EXPECT_TRUE(shown("ACESSO NEGADO"));
  EXPECT_TRUE(shown("O VALOR BRUTO JA FOI REALIZADO"));
  EXPECT_NE(store_->table("SS"), nullptr);  // kept open
  menu.after = AfterEntry::kCloseAll;
  run(entry(4));
  run_submenu(menu, rights);
  EXPECT_EQ(store_->table("SS"), nullptr);
}

TEST_F(SubmenuRunnerTest, GrossValueMenuClearsTheUnattendedLog) {
  install("202411");
  run(bar(5) + "<ESC><ESC>");
  shell().LCREDAUTO = true;
  shell().AMENSAGENS = {"10:00 ANTIGA"};
  main_bar(all_rights());
  EXPECT_FALSE(shell().LCREDAUTO);
  EXPECT_TRUE(shell().AMENSAGENS.empty());
}

TEST_F(SubmenuRunnerTest, OperatorEntriesOfTheOpenCompetence) {
  install("202411", "F");
  for (int n : {10, 11}) {
    EXPECT_EQ(bar_run(bar(6) + entry(n) + " <ESC><ESC>"), BarExit::kLogin);
    EXPECT_TRUE(shown("O VALOR BRUTO JA FOI REALIZADO"));
    EXPECT_FALSE(shown("ROTINA EM DESENVOLVIMENTO"));
  }
}

}  // namespace
}  // namespace kav
