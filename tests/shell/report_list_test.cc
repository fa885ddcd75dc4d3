#include "shell/report_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/keys.h"
#include "shell/text_viewer.h"
#include "toolkit_test_env.h"

namespace kav {
namespace {

// Runs each test in a fresh folder, the program folder of the list.
class ReportListTest : public ToolkitTest {
 protected:
  ReportListTest() : previous_(std::filesystem::current_path()) {
    dir_ = std::filesystem::path(testing::TempDir()) /
           ("reports" + std::to_string(getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  ~ReportListTest() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(dir_);
  }
  static void write(const std::string& name, const std::string& text = "x") {
    std::ofstream(name, std::ios::binary) << text;
  }
  std::filesystem::path previous_, dir_;
};

TEST_F(ReportListTest, OrderByExtensionThenName) {
  for (const char* n : {"RB.FEV", "RA.JAN", "LERNOTAS.TXT", "R1.DBF", "RZ", "RC.TXT", "falha.prn",
                        "XOUTRO.TXT", "rlower.doc", "RD.DEZ", "RE.PRN"}) {
    write(n);
  }
  std::filesystem::create_directory("RDIR");
  std::vector<std::string> names;
  for (const ReportFile& f : report_files(".")) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::string>{"R1.DBF", "RZ", "rlower.doc", "LERNOTAS.TXT",
                                             "RC.TXT", "falha.prn", "RE.PRN", "RA.JAN",
                                             "RB.FEV", "RD.DEZ"}));
}

TEST_F(ReportListTest, ExtrasFoundInAnyCase) {
  write("lernotas.txt");
  write("FALHA.PRN");
  std::vector<std::string> names;
  for (const ReportFile& f : report_files(".")) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::string>{"lernotas.txt", "FALHA.PRN"}));
}

TEST_F(ReportListTest, EmptyListSaysSo) {
  start("x");
  VER1();
  EXPECT_EQ(row_at_wait(0, 23).substr(24, 34), "NADA PARA MOSTRAR ! - tecle <BARRA");
}

TEST_F(ReportListTest, ListViewAndHotKeysSuspended) {
  write("RB.FEV", "fevereiro\r\n");
  write("RA.JAN", "linha de janeiro\r\nsegunda\r\n");
  int f12 = 0;
  keyboard().install_hot_key("VER1", key::f(12), [&] { ++f12; return true; });
  start("<F12><DOWN><UP><ENTER><ESC><ESC>");
  keyboard().install_hot_key("VER1", key::f(12), [&] { ++f12; return true; });
  VER1();
  EXPECT_EQ(f12, 0);  // suspended while the list is open
  EXPECT_TRUE(keyboard().has_hot_key("VER1"));
  const Screen& s = at_wait(0);
  EXPECT_EQ(s.latin1_text(7, 1, 78),
            "Relatorios gerados no seu diretorio ----------------------> Funcao Visualizar ");
  EXPECT_EQ(s.latin1_text(8, 1, 68), "Nome" + std::string(31, ' ') + "?Tamanho     ?Data      ?Hora    ");
  EXPECT_EQ(s.latin1_text(10, 1, 36), "RA.JAN" + std::string(29, ' ') + "?");
  EXPECT_EQ(s.latin1_text(10, 37, 12), "          27");
  EXPECT_EQ(s.latin1_text(11, 1, 6), "RB.FEV");
  EXPECT_EQ(s.latin1_text(23, 10, 34), "<ENTER> visualizar / <ESC> sair / ");
  EXPECT_EQ(s.at(23, 44).glyph, glyph::kArrowUp);
  EXPECT_EQ(s.at(23, 47).glyph, glyph::kArrowRight);
  EXPECT_EQ(s.latin1_text(23, 48, 23), " escolher  <P> imprimir");
  // Enter opened the viewer on the whole screen.
  const Screen& viewer = at_wait(4);
  EXPECT_EQ(viewer.latin1_text(0, 10, 16), "Arquivo : RA.JAN");
  EXPECT_EQ(viewer.latin1_text(1, 1, 16), "linha de janeiro");
  EXPECT_EQ(viewer.latin1_text(2, 1, 7), "segunda");
  EXPECT_EQ(row(7), std::string(80, ' '));  // all put back
}

TEST_F(ReportListTest, PrintGoesThroughThePrinterDevice) {
  write("RA.JAN");
  start("p<ESC>");
  std::vector<std::string> printed;
  shell().print_file = [&](const std::string& f) {
    printed.push_back(f);
    return Status::Ok();
  };
  VER1();
  EXPECT_EQ(printed, std::vector<std::string>{"RA.JAN"});
}

TEST_F(ReportListTest, ViewerSearchesAndShifts) {
  std::string text = "primeira\r\nalvo um\r\nmeio\r\nalvo dois\r\n" + std::string(300, 'L') + "\r\nfim";
  write("RX.TXT", text);
  start("<F2>alvo<ENTER><F4><F3>alvo<ENTER><F2>nada<ENTER> <CTRL+PGDN><UP><UP><END><TAB><ESC>");
  EXPECT_TRUE(EDICAO("RX.TXT", 2, 1, 10, 40));
  const auto current = [&](size_t wait) {
    const Screen& s = at_wait(wait);
    for (int r = 2; r <= 10; ++r) {
      if (s.at(r, 1).attr == make_attr(0, 7)) return s.latin1_text(r, 1, 10);
    }
    return std::string("?");
  };
  EXPECT_EQ(current(0), "primeira  ");
  EXPECT_EQ(at_wait(1).latin1_text(24, 1, 17), "Entre com o texto");
  EXPECT_EQ(current(6), "alvo um   ");   // F2
  EXPECT_EQ(current(7), "alvo dois ");   // F4 repeats forward
  EXPECT_EQ(current(13), "alvo um   ");  // F3 backward
  EXPECT_EQ(row_at_wait(19, 23).substr(26, 30), "Nao encontrado - tecle <BARRA>");
  // End: the last screenful of the 256-byte piece; Tab shifts ten more.
  EXPECT_EQ(current(23), std::string(10, 'L'));
  EXPECT_EQ(at_wait(24).latin1_text(6, 1, 40), std::string(40, 'L'));
  EXPECT_EQ(at_wait(24).latin1_text(7, 1, 40), std::string(40, ' '));  // the 44-byte rest
  EXPECT_EQ(at_wait(25).latin1_text(6, 1, 40), std::string(30, 'L') + std::string(10, ' '));
  EXPECT_FALSE(EDICAO("NAOEXISTE.TXT", 2, 1, 10, 40));
}

TEST_F(ReportListTest, RepeatWithoutSearch) {
  write("RX.TXT", "a\r\n");
  start("<F4> <ESC>");
  EDICAO("RX.TXT", 2, 1, 10, 40);
  EXPECT_EQ(row_at_wait(1, 23).substr(17, 33), "Nao foi efetuado nenhuma pesquisa");
}

}  // namespace
}  // namespace kav
