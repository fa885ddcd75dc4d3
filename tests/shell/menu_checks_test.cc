#include "shell/menu_checks.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "menu_test_env.h"
#include "shell/embaralha.h"
#include "shell/home_screen.h"
#include "shell/shell_state.h"
#include "store/creators.h"

namespace kav {
namespace {

using MenuChecksTest = MenuTest;

TEST(DeparaMinimumTest, BandsOfCompetences) {
  const struct {
    const char* competence;
    const char* minimum;
  } kCases[] = {
      {"200712", ""},      {"200801", "01.01"}, {"200807", "01.01"}, {"200808", "01.06"},
      {"200809", "01.07"}, {"200812", "01.07"}, {"200901", "01.08"}, {"200910", "01.09"},
      {"200911", "01.10"}, {"201002", "01.11"}, {"201003", "01.12"}, {"201012", "01.14"},
      {"201104", "01.14"}, {"201105", "01.17"}, {"201106", "01.18"}, {"201107", "01.20"},
      {"201203", "01.20"}, {"201204", "01.22"}, {"201206", "01.22"}, {"201207", "01.24"},
      {"202411", "01.24"},
  };
  for (const auto& c : kCases) EXPECT_EQ(depara_minimum(c.competence), c.minimum) << c.competence;
}

TEST_F(MenuChecksTest, VrfDeparaAcceptsRefusesAndLetsTestVersionsThrough) {
  const struct {
    const char* program;
    const char* kit;
    const char* competence;
    const char* depara;
    bool answer;
    bool depara_box;
    bool kit_box;
  } kCases[] = {
      {"06.05", "202411a", "202411", "01.24", true, false, false},
      {"06.05", "202411a", "202411", "01.30", true, false, false},
      {"06.05", "202411a", "202411", "06.05", true, false, false},  // the program's own version
      {"06.05", "202411a", "202411", "01.23", false, true, false},
      {"06.05", "202411a", "202411", "", false, true, false},
      {"06.05", "201105a", "201105", "01.17", true, false, false},
      {"06.05", "201105a", "201105", "01.16", false, true, false},
      {"00.99", "202411a", "202411", "01.23", true, true, false},  // test version goes on
      {"00.99", "200712a", "202411", "01.23", false, true, true},
      {"06.05", "200712a", "200712", "01.01", false, false, true},  // kit below 200801a
      {"06.05", "", "202411", "01.24", false, false, true},
      {"06.05", "200801a", "200801", "01.01", true, false, false},
  };
  make_control({{"CTR_MVM", "202411"}});
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.program) + " " + c.kit + " " + c.competence + " " + c.depara);
    set("CTR", {{"CTR_MVM", c.competence}});
    set("SS", {{"SS_DPCNES", c.depara}});
    run("xx");
    shell().DEF_KAV_VER = c.program;
    shell().DEF_TAB_VER = c.kit;
    EXPECT_EQ(VRF_DEPARA(), c.answer);
    EXPECT_EQ(shown("IMPROPRIA P/ESTA COMPT."), c.depara_box);
    EXPECT_EQ(shown("ESTA VERSAO EXIGE A TABELA BDKAV MAIS RECENTE"), c.kit_box);
    if (c.depara_box) {
      EXPECT_TRUE(shown("VERSAO UTILIZADA DO DE-PARA : " + std::string(c.depara) + " IMPROPRIA"));
    }
    store_->workspace().CloseAll();
  }
}

TEST_F(MenuChecksTest, VerBdkavCmpComparesTheKitCompetence) {
  make_control({{"CTR_MVM", "202411"}});
  make_kit({{"55", "VERSAO", "202410b  "}});
  run("x");
  EXPECT_FALSE(VER_BDKAV_CMP());
  EXPECT_TRUE(shown("ATUALIZE O BDKAV PARA ESTA COMPETENCIA!"));
  store_->workspace().CloseAll();
  set("CTR", {{"CTR_MVM", "202410"}});
  run("");
  EXPECT_TRUE(VER_BDKAV_CMP());
}

TEST_F(MenuChecksTest, VerBdkavCmpWithoutVersionRowPasses) {
  make_control({{"CTR_MVM", "202411"}});
  make_kit({{"55", "OUTRO", "201001a"}});
  run("");
  EXPECT_TRUE(VER_BDKAV_CMP());
}

class HomeScreenTest : public MenuTest {
 protected:
  // The information line of `row`, trimmed of the blanks it is centred in.
  std::string line(int r) {
    const std::string text = row(r).substr(2, 76);
    const size_t b = text.find_first_not_of(' ');
    return b == std::string::npos ? "" : text.substr(b, text.find_last_not_of(' ') - b + 1);
  }
};

TEST_F(HomeScreenTest, RegistryOrigin) {
  const struct {
    std::vector<const char*> flags;
    const char* line;
  } kCases[] = {
      {{}, "CADASTRO : NÃO EXISTENTE"},
      {{"2", "1", "3"}, "CADASTRO : TXT CNES LOCAL"},
      {{"2", "3", "1"}, "CADASTRO : TXT CNES NACIONAL PRÉVIA"},
      {{" "}, "CADASTRO : TXT CNES NACIONAL PRÉVIA"},
      {{"2", "2"}, "CADASTRO : TXT CNES NACIONAL"},
  };
  make_control({{"CTR_MVM", "201304"}});
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    store_->workspace().CloseAll();
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
      if (e.path().filename().string().rfind("S_UPS", 0) == 0) std::filesystem::remove(e.path());
    }
    ASSERT_TRUE(create_table(*store_, "S_UPS", false));
    int id = 1000000;
    for (const char* flag : c.flags) {
      append("S_UPS", {{"UPS_ID", std::to_string(++id)}, {"UPS_LOCNAC", flag}});
    }
    ATUALIZA_INFORMACOES_TELA_PRINCIPAL();
    EXPECT_EQ(line(10), c.line);
  }
}

TEST_F(HomeScreenTest, MappingProgramLinesAndKitMinimums) {
  make_control({{"CTR_MVM", "201604"}},
               {{"SS_DPCNES", " 01.24"}, {"SS_DEPARA", "20160415093007"}});
  make_kit({{"55", EMBARALHA("KAV"), EMBARALHA("06.01") + "   "},
            {"55", EMBARALHA("MINIMO"), EMBARALHA("201604a")},
            {"55", "VERSAO", "201604a"}});
  ATUALIZA_INFORMACOES_TELA_PRINCIPAL();
  EXPECT_EQ(line(11), "ÚLTIMA VERSÃO DE-PARA(KAV) UTILIZADA : 01.24");
  EXPECT_EQ(line(12), "DATA/HORA DE-PARA(KAV) EXECUTADA : 15/04/2016 09:30:07");
  EXPECT_EQ(line(13), "VERSÃO MINIMA DO KAV EXIGIDA NESTA COMPETÊNCIA : 06.01");
  EXPECT_EQ(line(14), "");  // no DEPARA row
  EXPECT_EQ(line(15), "VERSÃO MINIMA DO BDKAV EXIGIDA NESTA COMPETÊNCIA : 201604a");
  // Centred in the 76 columns from column 2.
  const std::string text = "CADASTRO : NÃO EXISTENTE";
  EXPECT_EQ(row(10).substr(2 + (76 - text.size()) / 2, text.size()), text);
}

TEST_F(HomeScreenTest, BlankFieldsAndEarlierCompetencesLeaveLinesOut) {
  make_control({{"CTR_MVM", "201603"}});
  make_kit({{"55", EMBARALHA("KAV"), EMBARALHA("06.01")}});
  ATUALIZA_INFORMACOES_TELA_PRINCIPAL();
  for (int r = 11; r <= 15; ++r) EXPECT_EQ(line(r), "") << r;
}

TEST_F(HomeScreenTest, ExitScreen) {
  ULTIMA_MSG();
  EXPECT_EQ(line(2), "Encerramento da execução do KAV/SUS");
  EXPECT_EQ(screen().cursor_row(), 6);
  EXPECT_EQ(screen().cursor_shape(), CursorShape::kNormal);
  EXPECT_EQ(screen().at(2, 40).attr, make_attr(14, 7));  // GR+/W
  EXPECT_EQ(screen().at(0, 0).attr, make_attr(1, 7));    // B/W
}

}  // namespace
}  // namespace kav
