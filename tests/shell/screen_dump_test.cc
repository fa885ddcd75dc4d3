// Whole screens, text and colours, compared with the dumps kept in
// tests/shell/screens/. A missing or different dump writes the screen seen
// to <name>.actual in the test's temporary folder.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "shell/colour.h"
#include "shell/gauge.h"
#include "shell/header.h"
#include "shell/message.h"
#include "shell/pick_list.h"
#include "toolkit_test_env.h"

namespace kav {
namespace {

class ScreenDumpTest : public ToolkitTest {
 protected:
  // Runs `body` on the keys and compares the screen at the first wait.
  void check(const std::string& name, const std::string& keys, const std::function<void()>& body) {
    ScriptConsole::Options options;
    options.attributes = true;
    options.keep_screens = true;
    std::unique_ptr<ScriptConsole> c;
    ASSERT_TRUE(ScriptConsole::create(keys, options, &c).ok());
    console = std::move(c);
    attach_console(console.get());
    shell().colour_table = &colours;
    shell().header_data = [] { return HeaderData{"SMS-TESTE", std::string("MP"), "202403", "A"}; };
    shell().DEF_TAB_VER = "202403a";
    CABEC("0302", "IMPORTACAO DE BPA");
    body();
    ASSERT_GE(console->screens().size(), 1u) << name;
    // Dump of the first wait: put that screen back and format it.
    Screen& s = console->screen();
    s = console->screens()[0];
    const std::string seen = console->dump_text(name);
    std::ifstream in(std::string(KAV_SOURCE_DIR) + "/tests/shell/screens/" + name + ".txt",
                     std::ios::binary);
    std::stringstream expected;
    expected << in.rdbuf();
    if (seen != expected.str()) {
      std::ofstream(testing::TempDir() + "/" + name + ".actual", std::ios::binary) << seen;
    }
    EXPECT_EQ(seen, expected.str()) << name;
  }
};

TEST_F(ScreenDumpTest, Dialogs) {
  check("mensagem", "x", [] { MENSAGEM("ESPERE", "ARQUIVO IMPORTADO COM SUCESSO"); });
  check("mensagem2", " ", [] {
    MENSAGEM2({"A T E N C A O", "VERSAO UTILIZADA DO DE-PARA : 01.20 IMPROPRIA P/ESTA COMPT."},
              "ESPEREBARRA");
  });
  check("confirma", "<ESC>", [] { CONFIRMA("Deseja atualizar as tabelas agora?", "N"); });
  check("apop", "<DOWN><ENTER><ESC>", [] {
    std::string result;
    set_colour(SETCOR("MENU"));
    APOP(6, 20, 14, 40, {"201001", "201002", "201003", "201004", "201005", "201006", "201007",
                         "201008", "201009", "201010"},
         result, true, "COMPETENCIAS");
  });
  check("fescala", "x", [] {
    FESCALA("SALVA");
    FESCALA(45);
    keyboard().inkey();
  });
}

}  // namespace
}  // namespace kav
