#include "shell/startup_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../store/store_fixture.h"
#include "base/trim.h"
#include "platform/keys.h"
#include "shell/shell_state.h"
#include "store/creators.h"
#include "store/fields.h"
#include "store/store_global.h"
#include "test_files.h"
#include "toolkit_test_env.h"

namespace kav {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kMunicipalityFields = "MN_IBGE C 6, MN_NOME C 40, MN_UF C 2";
constexpr const char* kCadmunFields =
    "CODUF C 2, CODMUNIC C 4, NOME C 40, CONDIC C 2, CIB_ZAV C 1, DTHABIL C 6, TETOPAB N 12 2";
constexpr const char* kCadgesmnFields =
    "CODUF C 2, CODMUNIC C 4, NOME C 40, CONDIC C 2, CIB_ZAV C 1";

// A store over a scratch folder, installed as the program's, with the
// toolkit on a script console.
class StartupTablesTest : public kav::testing::StoreFixture {
 protected:
  StartupTablesTest()
      : clock_(DateTime{*Date::from_ymd(2024, 3, 7), 9, 5, 0}), scoped_clock_(&clock_) {
    install_store(store_.get());
    keys("");
  }
  ~StartupTablesTest() override { shell() = ShellState(); }

  void keys(const std::string& script) { start_toolkit(script, &colours_, &console_); }

  // Appends a row to the catalog table of `alias`, made when missing.
  void Add(const std::string& alias, const Values& values) {
    ASSERT_TRUE(create_table(*store_, std::string(find_catalog_entry(alias)->file), false));
    ASSERT_TRUE(store_->USAR(alias));
    xbase::Table* t = store_->table(alias);
    ASSERT_TRUE(t->Append().ok());
    for (const auto& [field, value] : values)
      ASSERT_TRUE(put_value(*t, field, value).ok()) << field;
    ASSERT_TRUE(t->Flush().ok());
  }
  // Sets a field of the current record (the control record for CTR and SS).
  void Set(const std::string& alias, const std::string& field, const std::string& value) {
    ASSERT_TRUE(store_->USAR(alias));
    xbase::Table* t = store_->table(alias);
    ASSERT_TRUE(put_value(*t, field, value).ok());
    ASSERT_TRUE(t->Flush().ok());
  }
  std::string Get(const std::string& alias, const std::string& field) {
    EXPECT_TRUE(store_->USAR(alias));
    return field_value(*store_->table(alias), field);
  }
  void Control(const std::string& mvm, const std::string& crd) {
    ASSERT_TRUE(create_table(*store_, "S_CTR", false));
    Set("CTR", "CTR_MVM", mvm);
    Set("CTR", "CTR_CRD", crd);
  }
  void Secretariat(const std::string& uf, const std::string& gestao) {
    ASSERT_TRUE(create_table(*store_, "S_SS", false));
    Set("SS", "SS_UFIBGE", uf);
    Set("SS", "SS_GESTAO", gestao);
  }

  // The visible records of `alias` in order 1, the given fields trimmed
  // and joined by "|".
  std::vector<std::string> Visible(const std::string& alias,
                                   const std::vector<std::string>& fields) {
    std::vector<std::string> out;
    EXPECT_TRUE(store_->USAR(alias));
    xbase::Table* t = store_->table(alias);
    Status st = t->GoTop();
    for (; st.ok() && !t->eof(); st = t->Skip()) {
      std::string row;
      for (const std::string& f : fields)
        row += (row.empty() ? "" : "|") + rtrim(field_value(*t, f));
      out.push_back(row);
    }
    EXPECT_TRUE(st.ok()) << st.message();
    return out;
  }
  uint32_t Physical(const std::string& alias) {
    EXPECT_TRUE(store_->USAR(alias));
    return store_->table(alias)->record_count();
  }
  // Some wait of the script showed `text`.
  bool Waited(const std::string& text) const {
    for (const Screen& s : console_->screens())
      for (int r = 0; r < Screen::kRows; ++r)
        if (s.latin1_text(r, 0, 80).find(text) != std::string::npos) return true;
    return false;
  }
  size_t waits() const { return console_->screens().size(); }

  std::unique_ptr<ScriptConsole> console_;
  MemoryColourTable colours_;
  FixedClock clock_;
  ScopedClock scoped_clock_;
};

// --- Habilitations of 2008 -------------------------------------------------

TEST_F(StartupTablesTest, WithdrawnHabilitationsAreDeletedAndTheTablePacked) {
  const char* kRows[][4] = {
      // competence, procedure, group, habilitation
      {"200806", "040501013", "G1", "0503"},  // before the window
      {"200807", "030101001", "G1", "0503"},  // deleted
      {"200812", "030101001", "G1", "0504"},  // deleted
      {"200808", "040501013", "G1", "1706"},  // too early for 17xx
      {"200809", "040501013", "G1", "1710"},  // deleted
      {"200812", "040504016", "G1", "1714"},  // deleted
      {"200810", "040501014", "G1", "1710"},  // procedure not listed
      {"200810", "040501013", "G1", "1715"},  // habilitation not listed
      {"200901", "030101001", "G1", "0503"},  // past the walk
  };
  for (const auto& r : kRows)
    Add("PAHA", {{"PAHA_CMP", r[0]}, {"PAHA_PA", r[1]}, {"PAHA_GRP", r[2]}, {"PAHA_HA", r[3]}});
  ASSERT_TRUE(clean_habilitations());
  EXPECT_EQ(Visible("PAHA", {"PAHA_CMP", "PAHA_PA", "PAHA_HA"}),
            (std::vector<std::string>{"200806|040501013|0503", "200808|040501013|1706",
                                      "200810|040501013|1715", "200810|040501014|1710",
                                      "200901|030101001|0503"}));
  EXPECT_EQ(Physical("PAHA"), 5u);  // packed
}

TEST_F(StartupTablesTest, HabilitationsLeftAsTheyAreWhenNothingIsWithdrawn) {
  Add("PAHA", {{"PAHA_CMP", "200901"}, {"PAHA_PA", "030101001"}, {"PAHA_HA", "0503"}});
  Add("PAHA", {{"PAHA_CMP", "200701"}, {"PAHA_PA", "030101001"}, {"PAHA_HA", "0503"}});
  ASSERT_TRUE(store_->table("PAHA")->Delete().ok());  // an old deletion, kept unpacked
  ASSERT_TRUE(clean_habilitations());
  EXPECT_EQ(Visible("PAHA", {"PAHA_CMP"}), std::vector<std::string>{"200901"});
  EXPECT_EQ(Physical("PAHA"), 2u);
}

// --- Placeholder codes of a closed competence --------------------------------

TEST_F(StartupTablesTest, TabulationCodesExistOnlyWhileTheCompetenceIsClosed) {
  Control("202401", "F");
  Add("CID", {{"CD_COD", "A000"}, {"CD_DESCR", "COLERA"}});
  Add("FORNEC", {{"FOR_CNPJ", "12345678000199"}, {"FOR_RZSOC", "FORNECEDOR"}});
  for (int pass = 0; pass < 2; ++pass) ASSERT_TRUE(VRF_CODIGOS_TABRIX());  // added once
  EXPECT_EQ(Visible("CID", {"CD_COD", "CD_DESCR"}),
            (std::vector<std::string>{"0000|CID NAO INFORMADO", "1111|CID NAO EXIGIDO EM APAC",
                                      "A000|COLERA"}));
  EXPECT_EQ(
      Visible("FORNEC", {"FOR_CNPJ", "FOR_RZSOC", "FOR_AG", "FOR_CC", "FOR_IBGE"}),
      (std::vector<std::string>{"00000000000000|sem cessao de credito|000000|00000000000000|000000",
                                "12345678000199|FORNECEDOR|||"}));

  Set("CTR", "CTR_CRD", "A");
  ASSERT_TRUE(VRF_CODIGOS_TABRIX());
  EXPECT_EQ(Visible("CID", {"CD_COD"}), std::vector<std::string>{"A000"});
  EXPECT_EQ(Visible("FORNEC", {"FOR_CNPJ"}), std::vector<std::string>{"12345678000199"});
  EXPECT_EQ(Physical("FORNEC"), 1u);  // packed after the deletion
}

// --- Secretariat ---------------------------------------------------------------

TEST_F(StartupTablesTest, SecretariatCodeAndConditionOfManagement) {
  MakeTable("CADMUN.DBF", kCadmunFields, {{"35", "5030", "SAO PAULO", "PG"}});
  struct Case {
    const char* uf;
    const char* gestao;
    const char* gestao_after;
    bool state;
    const char* condic_after;
  } cases[] = {
      {"25", "259999", "250000", true, "EP"},
      {"25", "250000", "250000", true, "EP"},
      {"35", "355030", "355030", false, "PG"},
      {"35", "351111", "351111", false, "MS"},  // not in CADMUN: unchanged
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gestao);
    Secretariat(c.uf, c.gestao);
    Set("SS", "SS_CONDIC", "MS");
    ASSERT_TRUE(fix_secretariat_code());
    EXPECT_EQ(Get("SS", "SS_GESTAO"), c.gestao_after);
    EXPECT_EQ(is_state_installation(), c.state);
    ASSERT_TRUE(set_management_condition());
    EXPECT_EQ(Get("SS", "SS_CONDIC"), c.condic_after);
  }
}

// --- Municipality list ------------------------------------------------------------

class MunicipalityListTest : public StartupTablesTest {
 protected:
  MunicipalityListTest() {
    Control("202401", "A");
    Secretariat("35", "355030");
    MakeTable("S_MN.DBF", kMunicipalityFields, {{"999999", "ANTIGO", "99"}});
    MakeTable("CADMUN.DBF", kCadmunFields,
              {{"35", "5030", "SAO PAULO", "PG"}, {"35", "0010", "ADAMANTINA", "PA"}});
  }
};

TEST_F(MunicipalityListTest, WithoutRegistryFileTheListComesFromCadmun) {
  ASSERT_TRUE(rebuild_municipality_list());
  EXPECT_EQ(Visible("MN", {"MN_IBGE", "MN_NOME", "MN_UF"}),
            (std::vector<std::string>{"350010|ADAMANTINA|35", "355030|SAO PAULO|35"}));
}

TEST_F(MunicipalityListTest, RegistryFileIsMergedIntoCadmunWithoutDuplicates) {
  MakeTable("CADGESMN.DBF", kCadgesmnFields,
            {{"35", "5030", "SAO PAULO NOVO", "MN", "S"},
             {"35", "0020", "NOVA CIDADE", "PA", ""},
             {"35", "0020", "NOVA CIDADE II", "PG", "S"}});
  ASSERT_TRUE(rebuild_municipality_list());
  EXPECT_EQ(Visible("CADMUN", {"CODUF", "CODMUNIC", "NOME", "CONDIC", "CIB_ZAV"}),
            (std::vector<std::string>{"35|0010|ADAMANTINA|PA|", "35|0020|NOVA CIDADE II|PG|S",
                                      "35|5030|SAO PAULO NOVO|MN|S"}));
  EXPECT_EQ(Visible("MN", {"MN_IBGE", "MN_NOME"}),
            (std::vector<std::string>{"350020|NOVA CIDADE II", "355030|SAO PAULO NOVO"}));
  ASSERT_TRUE(store_->workspace().CloseAll().ok());
  std::unique_ptr<xbase::Table> cadgesmn;
  ASSERT_TRUE(xbase::Table::Open(file("CADGESMN.DBF"), &cadgesmn).ok());
  EXPECT_EQ(cadgesmn->record_count(), 0u);  // emptied
  cadgesmn.reset();

  // At the next start the emptied file leaves the list as the merge made it.
  ASSERT_TRUE(rebuild_municipality_list());
  EXPECT_EQ(Visible("MN", {"MN_IBGE"}), (std::vector<std::string>{"350020", "355030"}));
}

TEST_F(MunicipalityListTest, ListKeptInStateInstallationsAndClosedCompetences) {
  for (const auto& [gestao, crd] : {std::pair{"350000", "A"}, std::pair{"355030", "F"}}) {
    Set("SS", "SS_GESTAO", gestao);
    Set("CTR", "CTR_CRD", crd);
    ASSERT_TRUE(rebuild_municipality_list());
    EXPECT_EQ(Visible("MN", {"MN_IBGE"}), std::vector<std::string>{"999999"});
  }
}

// --- Value table -------------------------------------------------------------------

TEST_F(StartupTablesTest, MissingValueTableIsCreatedAfterTheNotice) {
  keys("x");
  ASSERT_TRUE(check_value_table());
  EXPECT_TRUE(Waited("Tabela de Valores nao existe - sera criada"));
  EXPECT_TRUE(file_exists("S_VPA.DBF"));
  EXPECT_TRUE(store_->USAR("VPA"));
}

TEST_F(StartupTablesTest, UnreadableValueTableIsNotCreatedOver) {
  const std::string garbage = "not a table at all";
  write(file("S_VPA.DBF"), garbage);
  keys("x");
  EXPECT_FALSE(check_value_table());
  EXPECT_FALSE(Waited("sera criada"));
  EXPECT_TRUE(Waited("TABELA DE VALORES ILEGIVEL"));
  EXPECT_EQ(read(file("S_VPA.DBF")), garbage);
}

// --- Creations -------------------------------------------------------------------------

TEST_F(StartupTablesTest, StartTablesAreCreatedAndTheJointEffortTableEmptiedWhenOpen) {
  for (const char* crd : {"F", "A"}) {
    SCOPED_TRACE(crd);
    Control("202401", crd);
    Add("MUTIRAOSAUDEMULHER", {{"UID", "1234567"}, {"PROCEDIM", "020101001"}});
    ui_.clear();
    ASSERT_TRUE(create_start_tables());
    EXPECT_EQ(Physical("MUTIRAOSAUDEMULHER"), std::string(crd) == "A" ? 0u : 1u);
  }
  for (const char* f : {"ADESAO.DBF", "S_FXAPAC.DBF", "S_FXRAAS.DBF", "S_UPSRC.DBF", "S_UPSVAL.DBF",
                        "S_PRDHST.DBF", "S_OCORR.DBF", "S_ENCERR.DBF"})
    EXPECT_TRUE(file_exists(f)) << f;
  EXPECT_TRUE(ui_.of("wait").empty());  // made on the first pass only
}

TEST_F(StartupTablesTest, RemainingTablesAreCreatedOnceWithTheirIndexes) {
  keys("12345");
  ASSERT_TRUE(F_REMAPA2());
  EXPECT_EQ(waits(), 5u);
  for (const char* notice :
       {"CRIANDO TABELA DE APAC (S_APA.DBF)", "CRIANDO TABELA DE NUMERACAO DE APAC (S_CFA.DBF)",
        "CRIANDO TABELA DE GESTAO/COMPLEXIDADE (S_UPSGES.DBF)",
        "CRIANDO TABELA DE cobranca de APAC (S_PAP.DBF)", "CRIANDO TABELA OR"})
    EXPECT_TRUE(Waited(notice)) << notice;
  for (const char* f :
       {"S_APA03.NTX", "S_CFA01.NTX", "UPSGES01.NTX", "S_PAP05.NTX", "S_IPU02.NTX", "S_UPSHA.DBF",
        "S_CNSQTD.DBF", "S_RAPA.DBF", "S_UPSPRF.DBF", "S_TRMOTC.DBF"})
    EXPECT_TRUE(file_exists(f)) << f;
  EXPECT_EQ(ui_.of("wait").front(), "CRIANDO ARQUIVO S_UPSHA.DBF");
  EXPECT_TRUE(store_->workspace().selected() == nullptr);  // closed again

  keys("");  // nothing asked the second time
  ASSERT_TRUE(F_REMAPA2());
}

TEST_F(StartupTablesTest, ProductionTablesAreUpgradedFromJuly2023) {
  for (const char* t : {"S_APA", "S_BPI", "S_BPIHST", "S_PRD", "S_RAS", "S_RAPA"})
    ASSERT_TRUE(create_table(*store_, t, false));  // S_RAS and S_RAPA in their older layout
  auto has_field = [this](const char* table, const char* field) {
    std::unique_ptr<xbase::Table> t;
    EXPECT_TRUE(xbase::Table::Open(file(table), &t).ok());
    return t != nullptr && t->field_index(field) >= 0;
  };
  Control("202306", "A");
  ASSERT_TRUE(open_production_tables());
  EXPECT_FALSE(has_field("S_RAS.DBF", "RA_STRUA"));
  Set("CTR", "CTR_MVM", "202307");
  ASSERT_TRUE(open_production_tables());
  EXPECT_TRUE(has_field("S_RAS.DBF", "RA_STRUA"));
  EXPECT_TRUE(has_field("S_RAPA.DBF", "RAPA_CID"));
  EXPECT_EQ(store_->table("RAS"), nullptr);  // closed again
}

// --- The upgrade of 2008 -----------------------------------------------------------------

TEST_F(StartupTablesTest, UpgradeOf2008CleansTheOldRowsAndRecordsTheVersion) {
  Control("200712", "F");
  Add("IPU", {{"IPU_CMP", "200711"}, {"IPU_UID", "1"}});
  Add("IPU", {{"IPU_CMP", "200712"}, {"IPU_UID", "2"}});
  Add("PAP", {{"PAP_NUM", "1"}, {"PAP_CMP", "200712"}});
  Add("APA", {{"APA_NUM", "1"}, {"APA_CMP", "200712"}, {"APA_MOTCOB", "21"}});
  Add("APA", {{"APA_NUM", "2"}, {"APA_CMP", "200712"}, {"APA_MOTCOB", "41"}});
  Add("APA", {{"APA_NUM", "3"}, {"APA_CMP", "200712"}, {"APA_MOTCOB", "9"}});
  Add("APA", {{"APA_NUM", "4"}, {"APA_CMP", "200801"}, {"APA_MOTCOB", "21"}});
  keys("x");
  ASSERT_TRUE(clean_before_2008());
  EXPECT_EQ(Visible("IPU", {"IPU_CMP"}), std::vector<std::string>{"200712"});
  EXPECT_EQ(Physical("IPU"), 1u);
  EXPECT_EQ(Physical("PAP"), 0u);
  EXPECT_EQ(Visible("APA", {"APA_NUM"}), (std::vector<std::string>{"3", "4"}));
  EXPECT_EQ(Physical("APA"), 2u);
  EXPECT_EQ(Get("CTR", "CTR_VERSAO"), "06.05     ");
  EXPECT_TRUE(Waited("VERSAO ATUALIZADA!"));
}

// --- Closing of the APACs of August 2023 -------------------------------------------------

class ApacClosingTest : public StartupTablesTest {
 protected:
  ApacClosingTest() {
    Control("202309", "A");
    Secretariat("35", "355030");
    // APAC number, procedure, end, outcome date, movement of the line.
    const char* kApacs[][5] = {
        {"1000000000001", "0501070060", "20230930", "", "202308"},          // closed
        {"1000000000002", "0501070060", "20230820", "", "202308"},          // ended before
        {"1000000000003", "0505020033", "20231010", "20230815", "202309"},  // outcome before
        {"1000000000004", "0505020033", "20231010", "20231001", "202309"},  // closed
        {"1000000000005", "0301010072", "20231010", "", "202308"},          // other procedure
        {"1000000000006", "0506020088", "20231010", "", "202307"},          // older line
    };
    for (const auto& a : kApacs) {
      Add("APA", {{"APA_NUM", a[0]},
                  {"APA_CMP", "202308"},
                  {"APA_DTFIM", a[2]},
                  {"APA_DTOBAL", a[3]},
                  {"APA_MOTCOB", "21"}});
      Add("PAP", {{"PAP_NUM", a[0]},
                  {"PAP_CMP", "202308"},
                  {"PAP_PA", a[1]},
                  {"PAP_MVM", a[4]},
                  {"PAP_SEQ", "01"}});
    }
    // A second line of the first APAC: counted once.
    Add("PAP", {{"PAP_NUM", kApacs[0][0]},
                {"PAP_CMP", "202308"},
                {"PAP_PA", kApacs[0][1]},
                {"PAP_MVM", "202308"},
                {"PAP_SEQ", "02"}});
  }
  std::vector<std::string> Apacs() {
    return Visible("APA", {"APA_NUM", "APA_MOTCOB", "APA_DTOBAL"});
  }
};

TEST_F(ApacClosingTest, ApacsRunningPastAugust2023AreClosed) {
  keys("x");
  ASSERT_TRUE(VRF_APAC_ENCERRAMENTO2023());
  EXPECT_EQ(Apacs(),
            (std::vector<std::string>{"1000000000001|51|20230831", "1000000000002|21|",
                                      "1000000000003|21|20230815", "1000000000004|51|20230831",
                                      "1000000000005|21|", "1000000000006|21|"}));
  EXPECT_TRUE(Waited("Encerramento efetuado em 2 Apac(s)!"));
}

TEST_F(ApacClosingTest, CtrlZEndsTheWalkOfTheCurrentProcedure) {
  keys("Sx");
  keyboard().push(key::kCtrlLeft);  // code 26, read at the first line
  ASSERT_TRUE(VRF_APAC_ENCERRAMENTO2023());
  EXPECT_TRUE(Waited("Deseja finalizar a verificacao"));
  EXPECT_EQ(Apacs()[0], "1000000000001|21|");
  EXPECT_EQ(Apacs()[3], "1000000000004|51|20230831");
  EXPECT_TRUE(Waited("Encerramento efetuado em 1 Apac(s)!"));
}

TEST_F(ApacClosingTest, NothingChangesWhenClosedOrUpToJuly2023) {
  const std::vector<std::string> before = Apacs();
  for (const auto& [mvm, crd] : {std::pair{"202309", "F"}, std::pair{"202307", "A"}}) {
    Set("CTR", "CTR_MVM", mvm);
    Set("CTR", "CTR_CRD", crd);
    ASSERT_TRUE(VRF_APAC_ENCERRAMENTO2023());
    EXPECT_EQ(Apacs(), before);
  }
  EXPECT_EQ(waits(), 0u);
}

TEST_F(ApacClosingTest, ApacTablePresenceForTheOrdinanceNotices) {
  EXPECT_TRUE(apac_table_has_rows());
  ASSERT_TRUE(store_->table("APA")->Zap().ok());
  EXPECT_FALSE(apac_table_has_rows());
}

// --- Establishments --------------------------------------------------------------------------

TEST_F(StartupTablesTest, EstablishmentsActiveAgainWhileTheCompetenceIsOpen) {
  for (const char* crd : {"F", "A"}) {
    SCOPED_TRACE(crd);
    Control("202401", crd);
    Add("UPS", {{"UPS_ID", "1234567"}, {"UPS_IN_ATV", "I"}});
    write(file("ups_exp.txt"), "x");
    ASSERT_TRUE(activate_establishments());
    EXPECT_EQ(shell().CCMP_KAV, "202401");
    const bool open = std::string(crd) == "A";
    EXPECT_EQ(Visible("UPS", {"UPS_IN_ATV"}),
              std::vector<std::string>(open ? 2 : 1, open ? "A" : "I"));
    EXPECT_EQ(file_exists("ups_exp.txt"), !open);
  }
}

}  // namespace
}  // namespace kav
