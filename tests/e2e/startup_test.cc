// The real kav32 on kavfix folders through the script console: the checks
// of the start-up, the login, the menu bar and the way out.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "admin/users_file.h"
#include "base/mem_file.h"
#include "base/replacing_file.h"
#include "base/trim.h"
#include "store/array_file.h"
#include "store/fields.h"
#include "temp_dir.h"
#include "xbase/table.h"

namespace kav {
namespace {

const std::string kBin = KAV_BIN_DIR;

// A demo folder for one test, and kav32 run on it.
class Kav32Start : public testing::Test {
 protected:
  Kav32Start() : folder_(dir_ / "kav") {
    const std::string cmd = "'" + kBin + "/kavfix' demo '" + folder_ + "' >/dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  }

  std::string path(const std::string& name) const { return folder_ + "/" + name; }

  // Runs kav32 with `keys` and `args`; answers the exit status. The
  // screens it showed are in dump_.
  int run(const std::string& keys, const std::string& args = "A K") {
    EXPECT_TRUE(replace_file_contents(dir_ / "keys.txt", keys).ok());
    const std::string cmd = "cd '" + folder_ + "' && " + env_ + " KAV_CONSOLE=script:'" + (dir_ / "keys.txt") +
                            "' KAV_SCREEN_DUMP='" + (dir_ / "dump.txt") + "' '" + kBin +
                            "/kav32' " + args + " >/dev/null 2>'" + (dir_ / "err.txt") + "'";
    const int rc = std::system(cmd.c_str());
    dump_.clear();
    read_file(dir_ / "dump.txt", &dump_);
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  }

  bool shown(const std::string& text) const { return dump_.find(text) != std::string::npos; }
  // The last screen: what the program left when it ended.
  std::string last_screen() const { return dump_.substr(dump_.rfind("=== ")); }

  // A field of the last record of a table of the folder.
  std::string get(const std::string& table, const std::string& field) {
    std::unique_ptr<xbase::Table> t;
    EXPECT_TRUE(xbase::Table::Open(path(table), &t).ok()) << table;
    if (!t) return "";
    EXPECT_TRUE(t->GoTo(t->record_count()).ok());
    return field_value(*t, field);
  }
  void set(const std::string& table, const std::string& field, const std::string& value) {
    std::unique_ptr<xbase::Table> t;
    ASSERT_TRUE(xbase::Table::Open(path(table), &t).ok()) << table;
    ASSERT_TRUE(t->GoTo(t->record_count()).ok());
    ASSERT_TRUE(put_value(*t, field, value).ok()) << field;
    ASSERT_TRUE(t->Close().ok());
  }
  void remove(const std::string& name) { std::remove(path(name).c_str()); }

  TempDir dir_;
  std::string folder_;
  std::string env_;  // what comes before kav32 on its command line: variables, a wrapper
  std::string dump_;
};

// Every start in an open competence after July 2023 ends its checks with
// the count of the APACs closed administratively, which waits for a key.
const std::string kNotice = " ";
// Keys of the bar: from the first item, Left wraps to "Saída".
const std::string kLeave = "<LEFT><ENTER>";
const char* const kExitScreen = "Encerramento da execução do KAV/SUS";

TEST_F(Kav32Start, FolderCheckWaitsForSevenOrEsc) {
  remove("S_CTR.DBF");
  EXPECT_EQ(run("x<ESC>"), 0);
  EXPECT_TRUE(shown(" ATENCAO : Os arquivos de controle ou alguns arquivos do BDKAV"));
  EXPECT_TRUE(shown("!!!TECLE 7 PARA CONTINUAR OU ESC PARA SAIR!!!"));
  EXPECT_NE(dump_.find("=== espera 2 ==="), std::string::npos);  // "x" was ignored
  EXPECT_EQ(dump_.find("APENAS TABELAS"), std::string::npos);
  // "7" goes on: without S_CTR the folder is one of tables only, whose
  // control record takes the competence of the procedure table.
  EXPECT_EQ(run("7<ENTER>"), 0);
  EXPECT_TRUE(shown("<< APENAS TABELAS >>"));
  EXPECT_EQ(get("S_CTR.DBF", "CTR_MVM"), get("S_PA.DBF", "PA_CMP"));
}

TEST_F(Kav32Start, TablesOnlyFolderAsksNoLogin) {
  remove("S_UPS.DBF");
  EXPECT_EQ(run("<ENTER>"), 0);
  EXPECT_TRUE(shown("<< APENAS TABELAS >>"));
  EXPECT_TRUE(shown("ROTINA EM DESENVOLVIMENTO"));
  EXPECT_FALSE(shown("IDENTIFICAÇÃO"));
  EXPECT_NE(last_screen().find(kExitScreen), std::string::npos);
}

TEST_F(Kav32Start, StateCodeOfNinesBecomesAStateInstallation) {
  set("S_SS.DBF", "SS_GESTAO", "259999");
  set("S_SS.DBF", "SS_IN", "E");
  EXPECT_EQ(run(kNotice + kLeave), 0);
  EXPECT_EQ(get("S_SS.DBF", "SS_GESTAO"), "250000");
  EXPECT_EQ(get("S_SS.DBF", "SS_CONDIC"), "EP");
  EXPECT_TRUE(shown("MENU INICIAL"));

  // A municipal installation with that code fails the coherence check.
  set("S_SS.DBF", "SS_GESTAO", "259999");
  set("S_SS.DBF", "SS_IN", "M");
  EXPECT_EQ(run("<ENTER><ENTER>"), 0);
  EXPECT_TRUE(shown("Instalacao Municipal incoerente com a condicao de gestao: EP"));
  EXPECT_FALSE(shown("MENU INICIAL"));
}

TEST_F(Kav32Start, FoldersOfOlderVersions) {
  struct Case {
    const char* version;
    const char* competence;
    const char* credit;
    std::string keys;
    const char* shows;
    bool menu;  // the start went on to the menu
    const char* version_after;
  } cases[] = {
      // Before 2008 with the competence open: the notice, then the end.
      {"", "200712", "A", " ", "DEZEMBRO/2007 FECHADA OU JANEIRO/2008 EM ABERTO", false, ""},
      // Closed: the operator may refuse the table update.
      {"", "200712", "F", " N ", "ATUALIZACAO CANCELADA, SAINDO DO SISTEMA!", false, ""},
      // Older than 01.08: "7" goes on (and the version is recorded), Esc ends.
      {"01.07", "202611", "A", "<ESC>", "tecle 7 para continuar", false, "01.07"},
      {"01.07", "202611", "A", "x7" + kNotice + kLeave, "tecle 7 para continuar", true, "06.05"},
      {"05.99", "202611", "A", kNotice + kLeave, "MENU INICIAL", true, "06.05"},
  };
  for (const Case& c : cases) {
    set("S_CTR.DBF", "CTR_VERSAO", c.version);
    set("S_CTR.DBF", "CTR_MVM", c.competence);
    set("S_CTR.DBF", "CTR_CRD", c.credit);
    EXPECT_EQ(run(c.keys), 0) << c.version << " " << c.credit;
    EXPECT_TRUE(shown(c.shows)) << c.version << " " << c.credit;
    EXPECT_EQ(shown("MENU INICIAL"), c.menu) << c.version << " " << c.credit;
    EXPECT_EQ(rtrim(get("S_CTR.DBF", "CTR_VERSAO")), c.version_after) << c.version << " " << c.credit;
  }
}

TEST_F(Kav32Start, ShortcutOptionMakesTheDesktopEntry) {
  ASSERT_EQ(::mkdir((dir_ / "desk").c_str(), 0755), 0);
  env_ = "XDG_DESKTOP_DIR='" + (dir_ / "desk") + "'";
  EXPECT_EQ(run(kNotice + kLeave), 0);
  EXPECT_EQ(::access((dir_ / "desk/KAVSUS.desktop").c_str(), F_OK), -1);  // option off

  MemFile options;
  options.set_logical("WXW_LATALHO_KAV", true);
  ASSERT_TRUE(options.Write(path("KAV32.MEM")).ok());
  EXPECT_EQ(run(kNotice + kLeave), 0);
  std::string entry;
  ASSERT_TRUE(read_file(dir_ / "desk/KAVSUS.desktop", &entry).ok());
  EXPECT_NE(entry.find("Path=" + folder_ + "\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("/kav32\"\n"), std::string::npos) << entry;
}

TEST_F(Kav32Start, SecondCopyOnTheFolderIsRefused) {
  env_ = "flock S_CTR.DBF env";  // flock(1) holds the control table as another kav32 would
  EXPECT_NE(run(" "), 0);
  EXPECT_TRUE(shown("ARQUIVO S_CTR.DBF EM USO POR OUTRO PROGRAMA"));
  EXPECT_FALSE(shown("MENU INICIAL"));
}

TEST_F(Kav32Start, DecemberNamesJanuaryOfTheNextYear) {
  set("S_CTR.DBF", "CTR_MVM", "202612");
  // Operador is two to the left of Cadastro; Down to entry 2 shows its
  // hint; Esc back to the bar, then Right to "Saída".
  EXPECT_EQ(run(kNotice + "<LEFT><LEFT><ENTER><DOWN><ESC><RIGHT><ENTER>"), 0);
  EXPECT_TRUE(shown("NOVA COMPETÊNCIA (JAN/2027)"));
  EXPECT_TRUE(shown("INICIALIZAÇÃO DA PRÓXIMA COMPETÊNCIA (JAN/2027)"));
}

TEST_F(Kav32Start, GrossValueEntriesNeedAValuedMovement) {
  // Keys inside the Vlr.Bruto submenu: the entry, then what leaves it (a
  // refusal waits for a key; a selection menu takes one Esc more).
  const std::string kRefused = "<ENTER><ESC>", kSelection = "<ESC><ESC>";
  struct Case {
    const char* credit;
    std::string entry;
    std::string back;
    const char* shows;
  } cases[] = {
      {"A", "<DOWN><ENTER>", kRefused, "NÃO FOI PROCESSADO O VALOR BRUTO"},
      {"I", "<DOWN><ENTER>", kRefused, "O VALOR BRUTO NAO FOI REALIZADO"},
      {"I", "<END><UP><UP><ENTER>", kRefused, "O VALOR BRUTO NÃO FOI REALIZADO"},  // entry 6
      {"I", "<DOWN><DOWN><ENTER>", kSelection, "Relatorio com todos os registros"},  // entry 3 runs
  };
  for (const Case& c : cases) {
    set("S_CTR.DBF", "CTR_CRD", c.credit);
    // Vlr.Bruto is the fifth item; from it, Saída is two to the right.
    EXPECT_EQ(run(kNotice + "<RIGHT><RIGHT><RIGHT><RIGHT><ENTER>" + c.entry + c.back +
                  "<RIGHT><RIGHT><ENTER>"),
              0)
        << c.credit << " " << c.entry;
    EXPECT_TRUE(shown(c.shows)) << c.credit << " " << c.entry;
  }
}

TEST_F(Kav32Start, EscOnTheBarAsksForTheLoginAgain) {
  // A wrong identification twice there ends the program.
  EXPECT_EQ(run(kNotice + "<ESC>ZZ<ENTER>ZZ<ENTER><ENTER>"), 0);
  EXPECT_TRUE(shown("MENU INICIAL"));
  EXPECT_TRUE(shown("IDENTIFICAÇÃO RECUSADA"));
  EXPECT_NE(last_screen().find(kExitScreen), std::string::npos);
  EXPECT_EQ(last_screen().find("MENU INICIAL"), std::string::npos);
}

TEST_F(Kav32Start, LeavingWritesTheIndexStamps) {
  ASSERT_TRUE(replace_file_contents(path("S_CARTEM.DBI"), "A   0").ok());  // no stamps
  EXPECT_EQ(run("<ENTER>" + kNotice + kLeave), 0);  // the reindexing notice first
  ArrayList stamps;
  ASSERT_TRUE(RESTARRAY(path("S_CARTEM.DBI"), &stamps).ok());
  EXPECT_EQ(stamps.size(), 56u);
  EXPECT_NE(last_screen().find(kExitScreen), std::string::npos);
}

TEST_F(Kav32Start, LoginOnTheScreen) {
  struct Case {
    const char* keys;
    bool menu;
  } cases[] = {
      // Each refusal waits for a key (the blank).
      {"a<ENTER>K<ENTER>", true},          // the field turns the identification upper case
      {"A<ENTER>k<ENTER> K<ENTER>", true},  // a second try of the password
      {"A<ENTER>X<ENTER> X<ENTER> ", false},
      {"B<ENTER> B<ENTER> ", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(kNotice + c.keys + (c.menu ? kLeave : ""), ""), 0) << c.keys;
    EXPECT_EQ(shown("MENU INICIAL"), c.menu) << c.keys;
  }
}

TEST_F(Kav32Start, CommandLineIdentificationIsUpperCased) {
  EXPECT_EQ(run(kNotice + kLeave, "a K"), 0);
  EXPECT_TRUE(shown("MENU INICIAL"));
}

// The users file after the operator's changes, byte by byte against the
// file written from the expected list.
TEST_F(Kav32Start, RightsAndPasswordsAreWrittenToTheUsersFile) {
  // Operador, entry 6 (authorisations): Right to CADASTRO, F5 on user A;
  // Down to U02, F6 and "S" (its password back to "K"), Esc; then entry 5:
  // A's password changed to NOVA12; the bar comes back; Saída.
  const std::string keys = kNotice +
      "<LEFT><LEFT><ENTER><DOWN><DOWN><DOWN><DOWN><DOWN><ENTER>"
      "<RIGHT><F5><DOWN><F6>S<ESC>"
      "<UP><ENTER>K<ENTER>NOVA12NOVA12<ENTER>"
      "<RIGHT><ENTER>";
  EXPECT_EQ(run(keys), 0);
  EXPECT_TRUE(shown(" - SENHA ATUALIZADA - "));
  UsersList expected = initial_users();
  expected[0].rights[0] = "N";
  expected[0].password = "NOVA12";
  ASSERT_TRUE(write_users_file(dir_ / "expected.dbi", expected).ok());
  std::string got, want;
  ASSERT_TRUE(read_file(path("S_USAKAV.DBI"), &got).ok());
  ASSERT_TRUE(read_file(dir_ / "expected.dbi", &want).ok());
  EXPECT_EQ(got.size(), 1153u);
  EXPECT_EQ(got, want);
  // The new password logs in; the old one no longer does.
  EXPECT_EQ(run(kNotice + kLeave, "A NOVA12"), 0);
  EXPECT_TRUE(shown("MENU INICIAL"));
}

}  // namespace
}  // namespace kav
