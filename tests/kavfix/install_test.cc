// kavfix install: the folder a secretariat starts from.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "admin/users_file.h"
#include "base/clock.h"
#include "command.h"
#include "installation.h"
#include "installation_fixture.h"
#include "test_files.h"

namespace kav::kavfix::testing {
namespace {

namespace fs = std::filesystem;

InstallSpec municipal() {
  InstallSpec spec;
  spec.uf = "SP";
  spec.municipality = "355030";
  spec.competence = "202611";
  return spec;
}

struct SecretariatCase {
  const char* label;
  InstallSpec spec;
  std::map<std::string, std::string> ss;  // expected fields of S_SS
};

std::vector<SecretariatCase> secretariat_cases() {
  InstallSpec state;
  state.uf = "rj";
  state.state = true;
  state.competence = "202612";
  InstallSpec named = municipal();
  named.uf = "MG";
  named.municipality = "310620";
  named.name = "Belo Horizonte";
  named.abbreviation = "smsa-bh";
  named.cnpj = "18715383000140";
  named.condition = "mn";
  return {
      {"municipal",
       municipal(),
       {{"SS_IN", "M"},
        {"SS_GESTAO", "355030"},
        {"SS_UFIBGE", "35"},
        {"SS_UFSIGL", "SP"},
        {"SS_UFNOME", "SAO PAULO"},
        {"SS_CONDIC", "PG"},
        {"SS_NM", "MUNICIPIO 355030"},
        {"SS_SIGL", "SMS-355030"}}},
      {"state",
       state,
       {{"SS_IN", "E"},
        {"SS_GESTAO", "330000"},
        {"SS_UFIBGE", "33"},
        {"SS_UFSIGL", "RJ"},
        {"SS_UFNOME", "RIO DE JANEIRO"},
        {"SS_CONDIC", "EP"},
        {"SS_NM", "SEC.EST.SAUDE RIO DE JANEIRO"},
        {"SS_SIGL", "SES-RJ"}}},
      {"named municipal",
       named,
       {{"SS_IN", "M"},
        {"SS_GESTAO", "310620"},
        {"SS_UFIBGE", "31"},
        {"SS_UFSIGL", "MG"},
        {"SS_NM", "BELO HORIZONTE"},
        {"SS_SIGL", "SMSA-BH"},
        {"SS_CGC", "18715383000140"},
        {"SS_CONDIC", "MN"}}},
  };
}

TEST_F(InstallationTest, SecretariatAndControlRecordsHoldTheAnswers) {
  for (const SecretariatCase& c : secretariat_cases()) {
    SCOPED_TRACE(c.label);
    fs::remove_all(dir());
    ASSERT_TRUE(Install(c.spec).ok());
    std::map<std::string, std::string> ss = LastRecord(dir(), "S_SS");
    for (const auto& [field, value] : c.ss) EXPECT_EQ(ss[field], value) << field;
    EXPECT_EQ(RecordCount(dir(), "S_SS"), 1u);
    EXPECT_EQ(RecordCount(dir(), "S_CTR"), 1u);
    std::map<std::string, std::string> ctr = LastRecord(dir(), "S_CTR");
    EXPECT_EQ(ctr["CTR_MVM"], c.spec.competence);
    for (const char* flag : {"CTR_CAD", "CTR_FPO", "CTR_BDP", "CTR_PRD", "CTR_CRD"})
      EXPECT_EQ(ctr[flag], "A") << flag;
    EXPECT_EQ(ctr["CTR_VERSAO"], "06.05");
  }
}

TEST_F(InstallationTest, OpensThroughTheStoreWithoutAnyMessage) {
  ASSERT_TRUE(Install(municipal()).ok());
  EXPECT_EQ(OpenEverything(dir()), std::vector<std::string>{});
  // The municipality is in the municipalities table with its condition,
  // which the start takes over.
  std::map<std::string, std::string> mun = LastRecord(dir(), "CADMUN");
  EXPECT_EQ(mun["CODUF"] + mun["CODMUNIC"], "355030");
  EXPECT_EQ(mun["CONDIC"], "PG");
}

TEST_F(InstallationTest, FolderLayoutUsersColourTableAndCadcheck) {
  ASSERT_TRUE(Install(municipal()).ok());
  for (const char* sub : {"BACKUP/202611", "TXTCNES/202611", "VBQ/202611"})
    EXPECT_TRUE(fs::is_directory(dir() + "/" + sub)) << sub;
  EXPECT_EQ(fs::file_size(dir() + "/S_USAKAV.DBI"), 1153u);
  UsersList users;
  ASSERT_TRUE(read_users_file(dir() + "/S_USAKAV.DBI", &users).ok());
  EXPECT_EQ(users, initial_users());
  EXPECT_TRUE(fs::exists(dir() + "/S_COR.DBF"));
  EXPECT_EQ(RecordCount(dir(), "CONFIMP"), 3u);  // the printer profiles
  EXPECT_EQ(read(dir() + "/cadcheck.so"), read(std::string(KAV_BIN_DIR) + "/cadcheck.so"));
  EXPECT_TRUE(fs::exists(dir() + "/S_CARTEM.DBI"));
  // Nothing of the scratch folder is left beside the installation.
  for (const auto& e : fs::directory_iterator(tmp_.path())) EXPECT_EQ(e.path().filename(), "inst");
}

TEST_F(InstallationTest, CompetenceDefaultsToTheCurrentMonth) {
  FixedClock clock(DateTime{*Date::from_ymd(2027, 3, 15), 10, 0, 0});
  ScopedClock scoped(&clock);
  InstallSpec spec = municipal();
  spec.competence = "";
  ASSERT_TRUE(Install(spec).ok());
  EXPECT_EQ(LastRecord(dir(), "S_CTR")["CTR_MVM"], "202703");
  EXPECT_TRUE(fs::is_directory(dir() + "/BACKUP/202703"));
}

TEST_F(InstallationTest, EveryTableIsReadableByPythonDbf) {
  ASSERT_TRUE(Install(municipal()).ok());
  std::map<std::string, int> tables = PythonTables(dir());
  EXPECT_EQ(tables["S_SS.DBF"], 1);
  EXPECT_EQ(tables["S_CTR.DBF"], 1);
  EXPECT_EQ(tables["S_PA.DBF"], 0);
}

struct Refusal {
  const char* label;
  void (*change)(InstallSpec*);
  const char* message;  // part of the message
};

TEST(InstallSpecTest, RefusesWhatNoSecretariatCouldBe) {
  const Refusal refusals[] = {
      {"unknown UF", [](InstallSpec* s) { s->uf = "XX"; }, "--uf desconhecida: XX"},
      {"no UF", [](InstallSpec* s) { s->uf = ""; }, "informe --uf"},
      {"municipality of another UF", [](InstallSpec* s) { s->municipality = "330455"; },
       "nao pertence a UF SP"},
      {"municipality not 6 digits", [](InstallSpec* s) { s->municipality = "35503"; }, "6 digitos"},
      {"state code as municipality", [](InstallSpec* s) { s->municipality = "359999"; },
       "use --estadual"},
      {"no municipality", [](InstallSpec* s) { s->municipality = ""; }, "--municipio"},
      {"municipality of a state", [](InstallSpec* s) { s->state = true; },
       "--municipio nao se usa com --estadual"},
      {"month 13", [](InstallSpec* s) { s->competence = "202613"; }, "--competencia invalida"},
      {"month 00", [](InstallSpec* s) { s->competence = "202600"; }, "--competencia invalida"},
      {"state condition for a municipality", [](InstallSpec* s) { s->condition = "EP"; },
       "--condicao EP invalida para secretaria municipal"},
      {"short CNPJ", [](InstallSpec* s) { s->cnpj = "123"; }, "--cnpj"},
      {"name too long", [](InstallSpec* s) { s->name = std::string(41, 'A'); }, "--nome"},
      {"name outside Latin-1", [](InstallSpec* s) { s->name = "\xe2\x82\xac"; },
       "--nome tem caracteres"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.label);
    InstallSpec spec = municipal();
    r.change(&spec);
    Status st = complete_spec(&spec);
    EXPECT_TRUE(st.code() == Status::Code::kInvalid) << st.message();
    EXPECT_NE(st.message().find(r.message), std::string::npos) << st.message();
  }
}

TEST(InstallSpecTest, TypedNamesBecomeLatin1UpperCase) {
  InstallSpec spec = municipal();
  spec.name = "S\xc3\xa3o Paulo";  // as a UTF-8 terminal types it
  Status st = complete_spec(&spec);
  ASSERT_TRUE(st.ok()) << st.message();
  EXPECT_EQ(spec.name, "SÃO PAULO");
  EXPECT_EQ(spec.abbreviation, "SMS-SÃO PA");
}

TEST_F(InstallationTest, ExistingInstallationIsKeptUnlessForced) {
  ASSERT_TRUE(Install(municipal()).ok());
  write(dir() + "/NOTAS.TXT", "do operador");
  InstallSpec other = municipal();
  other.competence = "202701";
  Status st = Install(other);
  EXPECT_NE(st.message().find("ja contem uma instalacao"), std::string::npos) << st.message();
  EXPECT_EQ(LastRecord(dir(), "S_CTR")["CTR_MVM"], "202611");

  ASSERT_TRUE(Install(other, /*force=*/true).ok());
  EXPECT_EQ(LastRecord(dir(), "S_CTR")["CTR_MVM"], "202701");
  EXPECT_EQ(read(dir() + "/NOTAS.TXT"), "do operador");
  EXPECT_EQ(OpenEverything(dir()), std::vector<std::string>{});
}

TEST_F(InstallationTest, FolderWithOtherFilesReceivesTheInstallation) {
  fs::create_directories(dir() + "/BACKUP/202001");
  write(dir() + "/kav32", "programa");
  write(dir() + "/BACKUP/202001/S_UPS.ABF", "copia");
  ASSERT_TRUE(Install(municipal()).ok());
  EXPECT_EQ(read(dir() + "/kav32"), "programa");
  EXPECT_EQ(read(dir() + "/BACKUP/202001/S_UPS.ABF"), "copia");
  EXPECT_TRUE(fs::is_directory(dir() + "/BACKUP/202611"));
  EXPECT_EQ(OpenEverything(dir()), std::vector<std::string>{});
}

TEST_F(InstallationTest, FilesOfAnotherSpellingAreReplacedOnlyWhenForced) {
  fs::create_directories(dir());
  write(dir() + "/s_pa.dbf", "kit antigo");
  Status st = Install(municipal());
  EXPECT_NE(st.message().find("ja contem S_PA.DBF"), std::string::npos) << st.message();
  EXPECT_EQ(read(dir() + "/s_pa.dbf"), "kit antigo");
  ASSERT_TRUE(Install(municipal(), /*force=*/true).ok());
  EXPECT_FALSE(fs::exists(dir() + "/s_pa.dbf"));
  EXPECT_EQ(OpenEverything(dir()), std::vector<std::string>{});
}

TEST_F(InstallationTest, CurrentFolderAsTarget) {
  fs::create_directories(dir());
  fs::path was = fs::current_path();
  fs::current_path(dir());
  InstallSpec spec = municipal();
  spec.cadcheck_folder = KAV_BIN_DIR;
  ASSERT_TRUE(complete_spec(&spec).ok());
  Status st = install(".", spec, false);
  fs::current_path(was);
  ASSERT_TRUE(st.ok()) << st.message();
  EXPECT_EQ(LastRecord(dir(), "S_CTR")["CTR_MVM"], "202611");
  EXPECT_EQ(tmp_.names(), std::vector<std::string>{"inst"});
  for (const auto& e : fs::directory_iterator(dir()))
    EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

TEST_F(InstallationTest, FailedBuildLeavesNothing) {
  InstallSpec spec = municipal();
  ASSERT_TRUE(complete_spec(&spec).ok());
  spec.cadcheck_folder = tmp_ / "nowhere";
  Status st = install(dir(), spec, false);
  EXPECT_NE(st.message().find("cadcheck.so"), std::string::npos) << st.message();
  EXPECT_EQ(tmp_.names(), std::vector<std::string>{});
}

TEST_F(InstallationTest, CommandLineOptions) {
  EXPECT_EQ(kInstallCommand.run({dir(), "--uf", "SP", "--municipio", "355030", "--competencia",
                                 "202611", "--nome", "SAO PAULO", "--cnpj", "46395000000139",
                                 "--cadcheck", KAV_BIN_DIR}),
            0);
  EXPECT_EQ(LastRecord(dir(), "S_SS")["SS_CGC"], "46395000000139");
  EXPECT_EQ(
      kInstallCommand.run({dir(), "--uf", "SP", "--municipio", "355030", "--force", "--estadual"}),
      2);
  EXPECT_EQ(kInstallCommand.run({dir(), "--uf"}), 2);
  EXPECT_EQ(kInstallCommand.run({dir(), "--sem-opcao"}), 2);
  EXPECT_EQ(kInstallCommand.run({"--uf", "SP", "--municipio", "355030"}), 2);
}

}  // namespace
}  // namespace kav::kavfix::testing
