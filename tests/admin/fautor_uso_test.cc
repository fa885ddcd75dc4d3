#include "admin/fautor_uso.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "admin/users_file.h"
#include "base/trim.h"
#include "shell/colour.h"
#include "shell/store_bridge.h"
#include "store/creators.h"
#include "store/recording_store_ui.h"
#include "store/store_global.h"
#include "temp_dir.h"
#include "../shell/toolkit_test_env.h"

namespace kav {
namespace {

using Rights = std::vector<std::string>;
const Rights kAll(7, "P");
const Rights kNoManagement = {"P", "P", "P", "P", "P", "P", "N"};

// Offset of entry n's password text (1-based) in the users file: the list
// header, then 82 bytes an entry, each entry's header and the length of
// its first text.
size_t password_offset(int n) { return 5 + (n - 1) * 82 + 5 + 6; }

class FautorUsoTest : public ToolkitTest {
 protected:
  FautorUsoTest() {
    StoreContext ctx;
    ctx.folder = dir_.path();
    ctx.ui = &ui_;
    store_ = std::make_unique<Store>(ctx);
    install_store(store_.get());
    EXPECT_TRUE(create_table(*store_, "S_CTR", false));
    EXPECT_TRUE(create_table(*store_, "S_SS", false));
    begin("");
    EXPECT_TRUE(write_initial_users(users_path()).ok());
  }
  ~FautorUsoTest() override {
    install_store(nullptr);
    store_.reset();
  }

  // Starts the script `keys` on a toolkit whose header reads the store.
  void begin(const std::string& keys) {
    start(keys);
    shell().header_data = [this] { return header_data_from_store(*store_); };
  }
  std::string users_path() const { return dir_ / kUsersFileName; }
  std::string users_bytes() const {
    std::ifstream in(users_path(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  UsersList users() const {
    UsersList list;
    EXPECT_TRUE(read_users_file(users_path(), &list).ok());
    return list;
  }
  // Message lines (row 23) of every wait, joined by "|".
  std::string messages() const {
    std::string all;
    for (size_t i = 0; i < waits(); ++i) all += row_at_wait(i, 23) + "|";
    return all;
  }
  // Whether a message line held `text`; "=" first asks for the whole line.
  bool showed(const std::string& text) const {
    for (size_t i = 0; i < waits(); ++i) {
      std::string line = trim(row_at_wait(i, 23).substr(1, 78));
      if (const size_t at = line.find(" - tecle <BARRA>"); at != std::string::npos) line = trim(line.substr(0, at));
      if (text[0] == '=' ? line == text.substr(1) : line.find(text) != std::string::npos) return true;
    }
    return false;
  }
  // Logs in as `id` with the password "K" given as on the command line.
  void log_in(const std::string& id) {
    Rights rights;
    ASSERT_TRUE(FAUTOR_USO(&rights, "ACESSAR", id, "K"));
  }

  TempDir dir_;
  RecordingStoreUi ui_;
  std::unique_ptr<Store> store_;
};

struct LoginCase {
  const char* name;
  const char* keys;
  const char* identification;  // as on the command line
  const char* password;
  bool ok;
  Rights rights;
  std::vector<const char*> shown;  // on the message line at some wait
};

TEST_F(FautorUsoTest, LoginCases) {
  const LoginCase cases[] = {
      {"typed", "A<ENTER>K<ENTER>", "", "", true, kAll, {"DIGITE A SUA SENHA"}},
      {"lower-case identification", "u02<ENTER>K<ENTER>", "", "", true, kNoManagement, {}},
      {"lower-case password", "A<ENTER>k<ENTER><ENTER>k<ENTER><ENTER>", "", "", false, {},
       {"SENHA INVÁLIDA - TENTE NOVAMENTE", "=SENHA INVÁLIDA"}},
      {"second password attempt", "A<ENTER>X<ENTER><ENTER>K<ENTER>", "", "", true, kAll,
       {"SENHA INVÁLIDA - TENTE NOVAMENTE"}},
      {"unknown identification twice", "X<ENTER><ENTER>Y<ENTER><ENTER>", "", "", false, {},
       {"IDENTIFICAÇÃO RECUSADA - TENTE NOVAMENTE", "=IDENTIFICAÇÃO RECUSADA"}},
      {"unknown then known", "X<ENTER><ENTER><CTRL+Y>U14<ENTER>K<ENTER>", "", "", true, kNoManagement,
       {"IDENTIFICAÇÃO RECUSADA - TENTE NOVAMENTE"}},
      {"Esc on the identification", "<ESC>", "", "", false, {}, {}},
      {"Esc on the password", "A<ENTER><ESC><ENTER>", "", "", false, {}, {"=SENHA INVÁLIDA"}},
      {"command line", "", "u03", "K", true, kNoManagement, {}},
      {"command line, wrong password", "<ENTER>K<ENTER>", "A", "KK", true, kAll,
       {"SENHA INVÁLIDA - TENTE NOVAMENTE", "DIGITE A SUA SENHA"}},
      {"command line, unknown identification", "<ENTER><CTRL+Y>A<ENTER>", "NOBODY", "K", true, kAll,
       {"IDENTIFICAÇÃO RECUSADA - TENTE NOVAMENTE"}},
  };
  for (const LoginCase& c : cases) {
    SCOPED_TRACE(c.name);
    begin(c.keys);
    Rights rights;
    EXPECT_EQ(FAUTOR_USO(&rights, "ACESSAR", c.identification, c.password), c.ok);
    if (c.ok) {
      EXPECT_EQ(rights, c.rights);
    }
    for (const char* text : c.shown) EXPECT_TRUE(showed(text)) << text << "\n" << messages();
    EXPECT_EQ(console->keys_left(), 0u);
  }
}

TEST_F(FautorUsoTest, LoginScreenShowsTheNotesAndTheMaskedPassword) {
  begin("A<ENTER>K");  // the script ends while the password is typed
  console->set_exhausted_handler([] { throw std::runtime_error("done"); });
  Rights rights;
  EXPECT_THROW(FAUTOR_USO(&rights, "ACESSAR"), std::runtime_error);
  EXPECT_EQ(row(5).substr(33, 10), "Importante");
  EXPECT_EQ(row(16).substr(4, 45), "  - Para informações detalhadas sobre a 06.05");
  EXPECT_EQ(row(19).substr(19, 26), "IDENTIFICAÇÃO : A         ");
  EXPECT_EQ(row(20).substr(19, 22), "        SENHA : *     ");
  EXPECT_GE(console->tones(), 1);
}

TEST_F(FautorUsoTest, F8PrintsTheReleaseNotesWhenAPrinterIsThere) {
  std::ofstream(dir_ / "LerNotas.txt") << "notas\n";
  std::vector<std::string> printed;
  begin("<F8><ESC>");
  Rights rights;
  shell().print_file = [&](const std::string& path) {
    printed.push_back(path);
    return Status::Ok();
  };
  EXPECT_FALSE(FAUTOR_USO(&rights, "ACESSAR"));
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_NE(printed[0].find("LerNotas.txt"), std::string::npos);

  begin("<F8><ENTER><ESC>");
  shell().print_file = nullptr;
  EXPECT_FALSE(FAUTOR_USO(&rights, "ACESSAR"));
  EXPECT_TRUE(showed("PREPARE A IMPRESSORA"));
}

TEST_F(FautorUsoTest, MissingOrDamagedUsersFileFailsTheLogin) {
  const std::string good = users_bytes();
  for (const std::string& bytes : {std::string(), good.substr(0, 700), std::string("A  14garbage"),
                                   std::string(1153, 'x')}) {
    std::remove(users_path().c_str());
    if (!bytes.empty()) std::ofstream(users_path(), std::ios::binary) << bytes;
    begin("<ENTER><ENTER>");
    Rights rights;
    EXPECT_FALSE(FAUTOR_USO(&rights, "ACESSAR", "A", "K"));
    EXPECT_TRUE(showed("O ARQUIVO DE SENHAS NAO FOI ENCONTRADO !"));
    EXPECT_TRUE(showed("INSTALE OU RE-INSTALE O ARQUIVO DE SENHAS !"));
    EXPECT_TRUE(rights.empty());
  }
}

TEST_F(FautorUsoTest, PasswordChangeRewritesOnlyTheOperatorsPassword) {
  log_in("U02");
  const std::string before = users_bytes();
  begin("K<ENTER>NEW123NEW123<ENTER>");
  Rights rights;
  EXPECT_TRUE(FAUTOR_USO(&rights, "TROCAR"));
  EXPECT_TRUE(showed("=- SENHA ATUALIZADA -"));
  const std::string after = users_bytes();
  ASSERT_EQ(after.size(), 1153u);
  EXPECT_EQ(after.substr(password_offset(2), 6), FCRIPTO("NEW123", "CRIPTO"));
  std::string expected = before;
  expected.replace(password_offset(2), 6, FCRIPTO("NEW123", "CRIPTO"));
  EXPECT_EQ(after, expected);

  begin("");
  EXPECT_TRUE(FAUTOR_USO(&rights, "ACESSAR", "U02", "NEW123"));
}

TEST_F(FautorUsoTest, FailedPasswordChangesWriteNothing) {
  const struct {
    const char* name;
    const char* keys;
    const char* message;
  } cases[] = {
      {"current wrong twice", "X<ENTER><ENTER>Y<ENTER><ENTER>", "=SENHA ATUAL INVALIDA"},
      {"confirmation different twice", "K<ENTER>ABC<ENTER>ABD<ENTER><ENTER>ABE<ENTER><ENTER>",
       "=SENHA DIFERENTE !"},
      {"Esc on the new password", "K<ENTER><ESC>", nullptr},
  };
  log_in("A");
  const std::string before = users_bytes();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    begin(c.keys);
    Rights rights;
    EXPECT_TRUE(FAUTOR_USO(&rights, "TROCAR"));
    if (c.message) {
      EXPECT_TRUE(showed(c.message));
    }
    EXPECT_FALSE(showed("SENHA ATUALIZADA"));
    EXPECT_EQ(users_bytes(), before);
    EXPECT_EQ(console->keys_left(), 0u);
  }
}

TEST_F(FautorUsoTest, F5TogglesARightAndRewritesTheFile) {
  log_in("A");
  begin("<DOWN><RIGHT><RIGHT><F5><ESC>");
  Rights rights;
  EXPECT_TRUE(FAUTOR_USO(&rights, "GERENCIAR"));
  EXPECT_EQ(row_at_wait(0, 5).substr(1, 19), "USUARIO   ?CADASTRO");
  EXPECT_EQ(row_at_wait(0, 7).substr(1, 19), "A         ?  PODE  ");
  const Scheme browse = parse_scheme(FSETCOR("BROWSE"));  // the cell cursor
  EXPECT_EQ(at_wait(3).at(8, 21).attr, browse.selected);
  EXPECT_EQ(at_wait(3).at(8, 12).attr, browse.normal);
  EXPECT_EQ(at_wait(3).at(7, 21).attr, browse.normal);
  EXPECT_EQ(row(8).substr(21, 8), "NAO PODE");
  UsersList expected = initial_users();
  expected[1].rights[1] = "N";
  EXPECT_EQ(users(), expected);

  begin("<DOWN><RIGHT><RIGHT><F5><ESC>");  // twice: back as it was
  EXPECT_TRUE(FAUTOR_USO(&rights, "GERENCIAR"));
  EXPECT_EQ(users(), initial_users());
  EXPECT_EQ(users_bytes().size(), 1153u);

  begin("<F5><ESC>");  // on the identification column: nothing
  EXPECT_TRUE(FAUTOR_USO(&rights, "GERENCIAR"));
  EXPECT_EQ(users(), initial_users());
}

TEST_F(FautorUsoTest, F6PutsTheInitialPasswordBack) {
  UsersList list = initial_users();
  list[2].password = "SECRET";
  ASSERT_TRUE(write_users_file(users_path(), list).ok());
  log_in("A");
  begin("<DOWN><DOWN><F6>N<F6>S<ESC>");
  Rights rights;
  EXPECT_TRUE(FAUTOR_USO(&rights, "GERENCIAR"));
  EXPECT_TRUE(showed("SENHA DE U03        SERA <K>"));
  EXPECT_EQ(users_bytes().substr(password_offset(3), 6), FCRIPTO("K     ", "CRIPTO"));
  begin("");
  EXPECT_TRUE(FAUTOR_USO(&rights, "ACESSAR", "U03", "K"));
}

TEST_F(FautorUsoTest, RenamingRefusesDuplicatesAndBlanks) {
  log_in("A");
  const std::string before = users_bytes();
  begin("<DOWN><ENTER><CTRL+Y>A<ENTER><ENTER><HOME><CTRL+Y><ENTER><ENTER><ESC><ESC>");
  Rights rights;
  EXPECT_TRUE(FAUTOR_USO(&rights, "GERENCIAR"));
  EXPECT_TRUE(showed("USUARIO JA EXISTE"));
  EXPECT_TRUE(showed("A IDENTIFICACAO NAO PODE FICAR EM BRANCO"));
  EXPECT_EQ(users_bytes(), before);

  begin("<DOWN><ENTER><CTRL+Y>a<ENTER><ENTER><HOME><CTRL+Y>chefe<ENTER><ESC>");
  EXPECT_TRUE(FAUTOR_USO(&rights, "GERENCIAR"));
  EXPECT_EQ(users()[1].identification, "CHEFE     ");
  begin("");
  EXPECT_TRUE(FAUTOR_USO(&rights, "ACESSAR", "chefe", "K"));
  EXPECT_EQ(rights, kNoManagement);
}

TEST_F(FautorUsoTest, InitialFileAndUnknownMode) {
  std::remove(users_path().c_str());
  Rights rights;
  EXPECT_TRUE(FAUTOR_USO(&rights, "INICIAR"));
  EXPECT_EQ(users_bytes().size(), 1153u);
  EXPECT_EQ(users(), initial_users());

  begin("<ENTER>");
  EXPECT_FALSE(FAUTOR_USO(&rights, "OUTRO"));
  EXPECT_TRUE(showed("ANALISTA : FALTA PARAMETRO NA FUNCAO FAUTOR_USO"));
}

TEST_F(FautorUsoTest, UnknownScramblingModeEndsTheProgram) {
  begin("<ENTER>");
  EXPECT_EXIT(FCRIPTO("A", "OUTRO"), ::testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace kav
