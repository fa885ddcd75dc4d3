#include "shell/message.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "shell/colour.h"
#include "toolkit_test_env.h"

namespace kav {
namespace {

// Pads `s` (UTF-8 without multi-byte characters) with blanks to 80.
std::string line(int col, const std::string& s) {
  std::string out(col, ' ');
  out += s;
  out.resize(80, ' ');
  return out;
}

using ColourTest = ToolkitTest;

TEST_F(ColourTest, TableIsCreatedOnceAndCached) {
  EXPECT_EQ(SETCOR("MENSAGEM"), "GR+/B, W+/BG, B/B,, N/W");
  EXPECT_EQ(colours.creations, 1);
  ASSERT_EQ(colours.records.size(), 1u);
  EXPECT_EQ(colours.records[0].PAD_NOME, "<= QUE_LINHA APONTA REGISTRO PADRAO COR");
  colours.records[0].schemes[4] = "N/N";
  EXPECT_EQ(SETCOR("MENU"), "W+/GR, W+/R,  B/B,, N/W");  // loaded once, never again
  EXPECT_EQ(SETCOR("NENHUM"), "W/N,N/W,N,N,N/W");
  EXPECT_TRUE(TEMCOR());
}

TEST_F(ColourTest, ActiveRecordIsTheOneTheFirstPointsTo) {
  ColourRecord first = default_colour_record(), second = first;
  first.QUE_LINHA = 2;
  second.schemes[0] = "N/W";
  colours.records = {first, second};
  EXPECT_EQ(SETCOR("CABEC"), "N/W");
  EXPECT_EQ(colours.creations, 0);
}

TEST_F(ColourTest, MissingActiveRecordEndsTheProgram) {
  ColourRecord first = default_colour_record();
  first.QUE_LINHA = 3;
  colours.records = {first};
  console->set_exhausted_handler([this] {  // shows what the message says, then ends
    std::fprintf(stderr, "[%s]", console->screen().row_text(23).c_str());
    std::exit(9);
  });
  EXPECT_EXIT(SETCOR("CABEC"), testing::ExitedWithCode(9),
              "PADRAO DE COR  3 NAO ENCONTRADO : ADEUS\\. - tecle <BARRA>");
  start(" ");
  colours.records = {first};
  EXPECT_EXIT(SETCOR("CABEC"), testing::ExitedWithCode(1), "");
}

TEST(ColourParseTest, PairsAndSchemes) {
  struct Case {
    const char* pair;
    int fg, bg;
  } cases[] = {{"W+/B", 15, 1}, {"GR+/B", 14, 1}, {"N/BG", 0, 3}, {"W+*/R", 15, 12},
               {"rb+/b", 13, 1}, {"B/B", 1, 1},   {"N", 0, 0},     {" W + / GR ", 15, 6}};
  for (const Case& c : cases) {
    const Attr a = parse_pair(c.pair, 0x99);
    EXPECT_EQ(attr_fg(a), c.fg) << c.pair;
    EXPECT_EQ(attr_bg(a), c.bg) << c.pair;
  }
  const Scheme s = parse_scheme("W+/B,  W+/BG, B/B,, N/BG");
  EXPECT_EQ(s.normal, make_attr(15, 1));
  EXPECT_EQ(s.selected, make_attr(15, 3));
  EXPECT_EQ(s.border, make_attr(1, 1));
  EXPECT_EQ(s.background, make_attr(0, 0));  // empty position keeps the default
  EXPECT_EQ(s.unselected, make_attr(0, 3));
  EXPECT_EQ(parse_scheme("W+*/R").selected, make_attr(0, 7));
}

TEST(ColourParseTest, FixedSchemes) {
  for (const char* n : {"NORMAL", "BROWSE", "MENU", "REGUA", "FUNDO"}) {
    EXPECT_EQ(FSETCOR(n), "W+/N,N/W,B/N,,N/N");
  }
  EXPECT_EQ(FSETCOR("MENSAGEM"), "GR+/B,W+/BG,B/B,,N/W");
  EXPECT_EQ(FSETCOR("BOX"), "W+/N");
  EXPECT_EQ(FSETCOR("FINAL"), "W/N,N/W,N/W,,N/N");
  EXPECT_EQ(FSETCOR("OUTRO"), "W+/N,N/W,N/N,,N/N");
}

using MessageTest = ToolkitTest;

TEST_F(MessageTest, SixtyThreeCharactersStayOnTheLine) {
  start("x");
  screen().put(23, 0, std::string(80, '#'), 0x07);
  const std::string text(63, 'A');
  MENSAGEM("ESPERE", text);
  ASSERT_EQ(waits(), 1u);
  // Column 33 - 63/2 = 2; the prompt is cut at the screen's edge.
  EXPECT_EQ(row_at_wait(0, 23), "# " + text + " - tecle <BARRA");
  const Screen& s = at_wait(0);
  EXPECT_EQ(s.at(23, 2).attr, make_attr(14, 1));  // MENSAGEM colours
  EXPECT_EQ(s.cursor_shape(), CursorShape::kHidden);
  EXPECT_EQ(row(23), std::string(80, '#'));  // put back
  EXPECT_EQ(console->tones(), 1);
}

TEST_F(MessageTest, SixtyFourCharactersGoToTheMessageBox) {
  start("<ENTER>");
  const std::string text(64, 'B');
  MENSAGEM("ESPERE", text);
  ASSERT_EQ(waits(), 1u);
  EXPECT_EQ(row_at_wait(0, 23), line(9, "Veja a mensagem na janela Windows e clique em OK"));
  bool title = false, body = false, ok = false;
  for (int r = 0; r < 25; ++r) {
    const std::string t = row_at_wait(0, r);
    title |= t.find("KAV/SUS - Atenção") != std::string::npos;
    body |= t.find("BBBBBBBB") != std::string::npos;
    ok |= t.find("[ OK ]") != std::string::npos;
  }
  EXPECT_TRUE(title && body && ok);
  EXPECT_EQ(row(23), std::string(80, ' '));
}

TEST_F(MessageTest, SpaceBarOnlyEndsTheBarWait) {
  start("a<ENTER> ");
  MENSAGEM("ESPEREBARRA", "TECLE A BARRA");
  EXPECT_EQ(waits(), 3u);
  EXPECT_EQ(console->keys_left(), 0u);
}

TEST_F(MessageTest, NoticesAndSavedLines) {
  screen().put(23, 0, std::string(80, '='), 0x07);
  MENSAGEM("AVISESALVA", "PRIMEIRO");
  EXPECT_EQ(row(23), "=" + line(36, "PRIMEIRO").substr(1, 78) + "=");
  MENSAGEM("AVISE", "  ");
  EXPECT_EQ(row(23), "=" + std::string(78, ' ') + "=");
  MENSAGEM("AVISERECUPERA");
  EXPECT_EQ(row(23), std::string(80, '='));
  // With the caller's buffer, restored at the row given.
  Region mine;
  screen().put(10, 0, "linha dez", 0x07);
  MENSAGEM("AVISESALVA", "X", 10, &mine);
  MENSAGEM("AVISERECUPERA", "", 12, &mine);
  EXPECT_EQ(row(12), line(0, "linha dez"));
}

TEST_F(MessageTest, UnattendedModeLogsAndAnswersYes) {
  shell().LCREDAUTO = true;  // the script is empty: nothing may wait
  MENSAGEM("ESPERE", "BASE VALORADA");
  MENSAGEM("ESPEREBARRA", std::string(70, 'L'));
  EXPECT_TRUE(MENSAGEM2({"NADA"}));
  EXPECT_EQ(CONFIRMA("CONTINUA"), "S");
  ASSERT_EQ(shell().AMENSAGENS.size(), 2u);
  EXPECT_EQ(shell().AMENSAGENS[0], "09:05 BASE VALORADA");
  EXPECT_EQ(shell().AMENSAGENS[1], "09:05 " + std::string(70, 'L'));
  for (int r = 0; r < 25; ++r) EXPECT_EQ(row(r), std::string(80, ' ')) << r;
  EXPECT_EQ(waits(), 0u);
}

TEST_F(MessageTest, UnknownKindEndsWithTheAnalystLine) {
  const std::string out = testing::TempDir() + "/analyst" + std::to_string(getpid());
  EXPECT_EXIT(
      {
        std::freopen(out.c_str(), "w", stdout);
        MENSAGEM("AVISAR", "x");
      },
      testing::ExitedWithCode(1), "");
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "\nSr(a). Analista: PARAMETRO cModo DEVE SER  < AVISE > OU < ESPERE >  ");
  std::remove(out.c_str());
}

TEST_F(MessageTest, BoxGeometryWaitingAndPassing) {
  start("x");
  MENSAGEM2({"LINHA UM", "SEGUNDA LINHA MAIS LONGA"});
  // w = 29 (the prompt), h = 4, text rows 10-13 from column 25, frame 9-14 x 23-55.
  const Screen& s = at_wait(0);
  EXPECT_EQ(s.at(9, 23).glyph, 0x250C);
  EXPECT_EQ(s.at(14, 55).glyph, 0x2518);
  EXPECT_EQ(s.latin1_text(10, 25, 29), "LINHA UM                     ");
  EXPECT_EQ(s.latin1_text(11, 25, 29), "SEGUNDA LINHA MAIS LONGA     ");
  EXPECT_EQ(s.latin1_text(12, 25, 29), std::string(29, ' '));
  EXPECT_EQ(s.latin1_text(13, 25, 29), "PRESSIONE ALGO PARA CONTINUAR");
  EXPECT_EQ(s.at(10, 25).attr, make_attr(14, 1));  // lines in MENSAGEM
  EXPECT_EQ(s.at(10, 24).attr, make_attr(15, 4));  // inside in CAMPOSAY
  EXPECT_EQ(s.at(10, 22).glyph, ' ');
  for (int r = 0; r < 25; ++r) EXPECT_EQ(row(r), std::string(80, ' '));

  // "PASSA" leaves the box and does not wait.
  MENSAGEM2({"ABC"}, "PASSA");
  EXPECT_EQ(waits(), 1u);
  EXPECT_EQ(screen().latin1_text(11, 38, 3), "ABC");
  EXPECT_EQ(screen().at(10, 36).glyph, 0x250C);
  EXPECT_EQ(screen().at(12, 42).glyph, 0x2518);
}

TEST_F(MessageTest, BarPromptIsCentredInTheBox) {
  start(" ");
  MENSAGEM2({std::string(40, 'W')}, "ESPEREBARRA");
  // w = 40, the prompt (32) starts 4 columns in; h = 3, r = 10, c = 20.
  EXPECT_EQ(at_wait(0).latin1_text(12, 20, 40),
            "    PRESSIONE <BARRA> PARA CONTINUAR    ");
}

TEST_F(MessageTest, QuestionDefaultsAndEsc) {
  struct Case {
    const char* default_answer;
    const char* keys;
    const char* answer;
  } cases[] = {{"", "<ESC>", "N"},   {"N", "<ESC>", "S"},          {"", "<ENTER>", "S"},
               {"N", "<ENTER>", "N"}, {"", "<RIGHT><ENTER>", "N"}, {"N", "<LEFT><ENTER>", "S"},
               {"", "n", "N"},       {"N", "s", "S"},              {"", "x<ESC>", "N"},
               {"", "<CLICK:23,50>", "N"}, {"", "<CLICK:23,30><CLICK:23,45>", "S"}};
  for (const Case& c : cases) {
    start(c.keys);
    screen().put(23, 0, std::string(80, '-'), 0x07);
    EXPECT_EQ(CONFIRMA("CONFIRMA A DELECAO", c.default_answer), c.answer)
        << c.default_answer << " " << c.keys;
    EXPECT_EQ(row(23), std::string(80, '-'));
  }
}

TEST_F(MessageTest, QuestionLayout) {
  start("<ESC>");
  CONFIRMA("CONFIRMA A DELECAO", "N");
  // Column 35 - 18/2 = 26; the choices one column apart, then "?".
  EXPECT_EQ(row_at_wait(0, 23), " " + line(26, "CONFIRMA A DELECAO NAO SIM?").substr(1, 78) + " ");
  const Screen& s = at_wait(0);
  EXPECT_EQ(s.at(23, 45).attr, make_attr(15, 3));  // first choice highlighted
  EXPECT_EQ(s.at(23, 49).attr, make_attr(14, 1));
}

}  // namespace
}  // namespace kav
