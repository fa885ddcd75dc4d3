#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "shell/colour.h"
#include "shell/gauge.h"
#include "shell/header.h"
#include "shell/key_help.h"
#include "shell/menu.h"
#include "shell/pick_list.h"
#include "shell/scroll_bar.h"
#include "shell/window.h"
#include "toolkit_test_env.h"

namespace kav {
namespace {

using DialogsTest = ToolkitTest;

TEST_F(DialogsTest, WindowSavesItsRegionWithTheCoordinates) {
  screen().fill(0, 0, 24, 79, 'x', 0x07);
  const std::string saved = WINDOW(2, 4, 8, 20, "W+/B", 2);
  ASSERT_EQ(saved.size(), 7u * 17u * 3u + 8u);
  EXPECT_EQ(saved.substr(saved.size() - 8), " 2 4 820");
  const Screen& s = screen();
  // The box loses a row and two columns to the shadow.
  EXPECT_EQ(s.at(2, 4).glyph, 0x2554);
  EXPECT_EQ(s.at(7, 18).glyph, 0x255D);
  EXPECT_EQ(s.at(3, 5).glyph, ' ');
  EXPECT_EQ(s.at(3, 5).attr, make_attr(15, 1));
  // The shadow keeps the characters under it and dims them.
  EXPECT_EQ(s.at(8, 6).glyph, 'x');
  EXPECT_EQ(s.at(8, 6).attr, make_attr(8, 0));
  EXPECT_EQ(s.at(3, 20).attr, make_attr(8, 0));
  EXPECT_EQ(s.at(2, 19).attr, 0x07);
  EXPECT_EQ(s.at(8, 5).attr, 0x07);
  RESTWINDOW(saved);
  for (int r = 0; r < 25; ++r) EXPECT_EQ(row(r), std::string(80, 'x'));
}

TEST_F(DialogsTest, FramesByNumberAndByText) {
  struct Case {
    Frame frame;
    Glyph corner, top, left;
  } cases[] = {{1, 0x250C, 0x2500, 0x2502}, {2, 0x2554, 0x2550, 0x2551},
               {3, 0x2552, 0x2550, 0x2502}, {4, 0x2553, 0x2500, 0x2551},
               {5, 0x2588, 0x2580, 0x2588}, {std::string("+-+|+-+|"), '+', '-', '|'},
               {9, ' ', ' ', ' '}};
  for (const Case& c : cases) {
    WINDOW(10, 10, 14, 20, "W/N", c.frame, false);
    EXPECT_EQ(screen().at(10, 10).glyph, c.corner);
    EXPECT_EQ(screen().at(10, 11).glyph, c.top);
    EXPECT_EQ(screen().at(11, 10).glyph, c.left);
  }
}

TEST_F(DialogsTest, ShadowIsCappedAtTheRightEdge) {
  SOMBRA(0, 70, 5, 79);
  EXPECT_EQ(screen().at(6, 79).attr, make_attr(8, 0));
  EXPECT_EQ(screen().at(6, 72).attr, make_attr(8, 0));
  EXPECT_EQ(screen().at(6, 71).attr, 0x07);
  QUADRO(10, 5, 12, 9);
  EXPECT_EQ(screen().at(10, 5).glyph, ' ');
  EXPECT_EQ(screen().at(11, 5).glyph, glyph::kFullBlock);
  EXPECT_EQ(screen().at(12, 9).attr, make_attr(9, 3));
}

TEST_F(DialogsTest, GaugeCountsHalfPercentsUpToFifty) {
  screen().set_cursor_shape(CursorShape::kInsert);
  FESCALA("SALVA");
  EXPECT_EQ(screen().cursor_shape(), CursorShape::kHidden);
  EXPECT_EQ(row(16).substr(7, 57), "         POR FAVOR, AGUARDE O TÉRMINO DA ATUALIZAÇÃO     ");
  EXPECT_EQ(row(18).substr(7, 57), "    1   10   20   30  40   50   60   70   80   90   100  ");
  FESCALA(37);
  EXPECT_EQ(screen().at(20, 27).glyph, glyph::kFullBlock);
  EXPECT_EQ(screen().at(20, 28).glyph, ' ');
  FESCALA(250);
  int blocks = 0;
  for (int c = 0; c < 80; ++c) blocks += screen().at(20, c).glyph == glyph::kFullBlock;
  EXPECT_EQ(blocks, 50);
  EXPECT_EQ(screen().at(20, 59).attr, make_attr(13, 1));  // ASTER
  FESCALA(gauge_percent(1, 4));  // back to 12 blocks
  EXPECT_EQ(screen().at(20, 21).glyph, glyph::kFullBlock);
  EXPECT_EQ(screen().at(20, 22).glyph, ' ');
  EXPECT_EQ(gauge_percent(5, 0), 0.0);
  FESCALA("RESTAURA");
  for (int r = 15; r <= 22; ++r) EXPECT_EQ(row(r), std::string(80, ' '));
  EXPECT_EQ(screen().cursor_shape(), CursorShape::kInsert);
}

TEST_F(DialogsTest, HeaderLayout) {
  HeaderData data{"SMS-XYZ", std::string("EC"), "202403", "A"};
  shell().header_data = [&data] { return data; };
  shell().DEF_TAB_VER = "202403a";
  CABEC("0000  ", "MENU INICIAL");
  EXPECT_EQ(row(1), "?SMS-XYZ" + std::string(20, ' ') + "CENTRAL DE PRODUÇÃO KAV" +
                        std::string(12, ' ') + "ZAV/TELVORA/0000?");
  EXPECT_EQ(row(2), "?EC MAR/2024 A" + std::string(19, ' ') + "MENU INICIAL" +
                        std::string(24, ' ') + "07/03/2024?");
  EXPECT_EQ(row(24).substr(3, 14), "Tabela:202403a");
  EXPECT_EQ(row(24).substr(65, 12), "Versão:06.05");
  EXPECT_EQ(screen().at(0, 0).glyph, 0x2554);
  EXPECT_EQ(screen().at(4, 0).glyph, 0x2554);
  EXPECT_EQ(screen().at(21, 79).glyph, 0x255D);
  EXPECT_EQ(screen().at(22, 0).glyph, 0x2554);
  EXPECT_EQ(screen().at(1, 1).attr, make_attr(15, 1));
  EXPECT_EQ(shell().colour, "W+/B, W+/BG, B/B,, N/BG");  // CABEC stays current
  EXPECT_EQ(shell().CCMP_KAV, "202403");

  // Cached until asked to refresh; without a condition field it is left out.
  data = HeaderData{"OUTRA", std::nullopt, "202412", "F"};
  CABEC("0302", "X");
  EXPECT_EQ(row(1).substr(1, 7), "SMS-XYZ");
  EXPECT_EQ(shell().CCMP_KAV, "202412");
  CABEC("0302", "X", true);
  EXPECT_EQ(row(1).substr(1, 6), "OUTRA ");
  EXPECT_EQ(row(2).substr(1, 11), "DEZ/2024 F ");
}

TEST_F(DialogsTest, MenuDrawsItemsAndRuns) {
  struct Case {
    const char* keys;
    int choice;
  } cases[] = {{"<ENTER>", 1}, {"<DOWN><DOWN><ENTER>", 3}, {"<UP><ENTER>", 3},
               {"<DOWN><DOWN><DOWN><ENTER>", 1}, {"c", 2}, {"<ESC>", 0},
               {"<CLICK:9,5><ENTER>", 3}, {"<CLICK:12,5><ESC>", 0}};
  for (const Case& c : cases) {
    start(c.keys);
    const auto prompts = MONTA_MENU(6, 1, {{"INDEXAÇÃO", " INDEXAÇÃO DOS ARQUIVOS "},
                                           {"CONSULTA", "CONSULTA"},
                                           {"BACKUP DE ARQUIVOS", "BACKUP"}});
    EXPECT_EQ(prompts[0].row, 7);
    EXPECT_EQ(prompts[1].label, "CONSULTA ");  // padded to the first label
    set_colour(SETCOR("MENU"));
    EXPECT_EQ(menu_choice(prompts), c.choice) << c.keys;
  }
  start("<ESC>");
  menu_choice(MONTA_MENU(6, 1, {{"INDEXAÇÃO", " INDEXAÇÃO DOS ARQUIVOS "}}));
  EXPECT_EQ(row_at_wait(0, 23).substr(29, 22), "INDEXAÇÃO DOS ARQUIVOS");
  EXPECT_EQ(row_at_wait(0, 7).substr(1, 9), "INDEXAÇÃO");
}

TEST_F(DialogsTest, PickListMultipleMarking) {
  struct Case {
    const char* keys;
    std::string result;
  } cases[] = {
      {"<ENTER><ENTER><DOWN><ENTER><F5>", "        2024"},  // twice unmarks
      {"<F5>", ""},
      {"<ENTER><DOWN><DOWN><ENTER><F5>", "        2023        2025"},
      {"<CLICK:8,15><CLICK:4,15><F5>", "        2025"},  // a click marks; outside, nothing
      {"<ENTER><ESC>", ""},
  };
  for (const Case& c : cases) {
    start(c.keys);
    std::string result = "x";
    EXPECT_TRUE(APOP(5, 10, 20, 30, {"2023", "2024", "2025"}, result, true, "ANOS"));
    EXPECT_EQ(result, c.result) << c.keys;
    EXPECT_EQ(row(5), std::string(80, ' '));  // restored
  }
  // The list box shrinks to the items: rows 5-9.
  const Screen& s = at_wait(0);
  EXPECT_EQ(s.at(5, 10).glyph, 0x2554);
  EXPECT_EQ(s.at(9, 30).glyph, 0x255D);
  EXPECT_EQ(s.latin1_text(5, 18, 4), "ANOS");
  EXPECT_EQ(s.latin1_text(6, 11, 5), " 2023");
  EXPECT_EQ(s.at(6, 30).glyph, glyph::kDarkShade);
  EXPECT_EQ(s.at(7, 30).glyph, glyph::kLightShade);
  EXPECT_EQ(s.latin1_text(23, 20, 41), "<enter> marca - <F5> processa - <ESC> sai");
  EXPECT_EQ(at_wait(1).latin1_text(6, 11, 5), ">2023");
}

TEST_F(DialogsTest, PickListSingleChoice) {
  struct Case {
    const char* keys;
    std::string result;
  } cases[] = {{"<DOWN><ENTER>", "BETA"}, {"<ESC>", ""}, {"b<ENTER>", "BETA"},
               {"bb<ENTER>", "BRAVO"}, {"<PGDN><ENTER>", "BRAVO"}};
  for (const Case& c : cases) {
    start(c.keys);
    std::string result;
    APOP(5, 10, 8, 30, {"ALFA", "BETA", "BRAVO"}, result);  // two rows
    EXPECT_EQ(result, c.result) << c.keys;
  }
  start("<ENTER><DOWN><ENTER><F5>");
  std::vector<std::string> list;
  APOP2(5, 10, 20, 30, {"A", "B"}, list, true);
  EXPECT_EQ(list, (std::vector<std::string>{"A", "B"}));
  // With restore false the list stays on the screen.
  start("<ENTER>");
  std::string one;
  APOP(5, 10, 20, 30, {"UM"}, one, false, "", "ESCOLHA", false);
  EXPECT_EQ(one, "UM");
  EXPECT_EQ(row(6).substr(11, 2), "UM");
  EXPECT_EQ(row_at_wait(0, 23).substr(37, 7), "ESCOLHA");
}

TEST_F(DialogsTest, ScrollBarPositions) {
  struct Case {
    int k, n, h, position;
  } cases[] = {{1, 10, 5, 1}, {10, 10, 5, 5}, {12, 10, 5, 5}, {5, 10, 5, 3},
               {2, 100, 5, 1}, {3, 4, 8, 6}};
  for (const Case& c : cases) {
    EXPECT_EQ(ScrollBar::position(c.k, c.n, c.h), c.position) << c.k << "/" << c.n;
  }
}

TEST_F(DialogsTest, KeyHelpWindow) {
  start("x");
  EXPECT_EQ(TELA_HELP({{"F2", "Procura"}, {"ESC", "Sai da tela"}}), 1);
  const Screen& s = at_wait(0);
  // inner width 21, box 27 x 6 with the shadow, centred.
  EXPECT_EQ(s.latin1_text(10, 28, 21), "Teclas Operacionais :");
  EXPECT_EQ(s.latin1_text(11, 28, 10), "F2  Procur");
  EXPECT_EQ(s.latin1_text(12, 28, 15), "ESC Sai da tela");
  EXPECT_EQ(s.at(11, 28).attr, make_attr(0, 7));
  EXPECT_EQ(s.at(11, 32).attr, make_attr(1, 7));
  EXPECT_EQ(s.at(9, 26).glyph, glyph::kFullBlock);
  EXPECT_EQ(row(10), std::string(80, ' '));
}

}  // namespace
}  // namespace kav
