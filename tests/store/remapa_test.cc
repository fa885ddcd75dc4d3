// Structure upgrades on opening: tables of older layouts copied into the
// current one with their value fixes, the messages shown, nothing shown
// at the next opening, and the old files kept whole when a copy fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "store/creators.h"
#include "store_fixture.h"

namespace kav::testing {
namespace {

class RemapaTest : public StoreFixture {
 protected:
  // The values of `field` in every visible record of `alias`, in record
  // order, right-trimmed.
  std::vector<std::string> Values(const std::string& alias, const std::string& field) {
    xbase::Table* t = store_->table(alias);
    std::vector<std::string> out;
    if (t == nullptr) return out;
    int f = t->field_index(field);
    EXPECT_GE(f, 0) << field;
    if (f < 0) return out;
    EXPECT_TRUE(t->SetOrder(0).ok());
    EXPECT_TRUE(t->GoTop().ok());
    while (!t->eof()) {
      std::string v(t->raw(f));
      v.erase(v.find_last_not_of(' ') + 1);
      out.push_back(v);
      EXPECT_TRUE(t->Skip().ok());
    }
    return out;
  }
  std::string Bytes(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::vector<std::string> Messages(const std::string& file, bool tight = false) {
    return {"wait:" +
                std::string(tight ? "Atencao:atualizando estrutura "
                                  : "Atencao: atualizando estrutura ") +
                file,
            "line:COPIANDO REGISTROS DA ANTIGA " + file,
            "wait:" + file + " - Atualizacao da estrutura concluida com sucesso !"};
  }
  std::vector<std::string> Upgrades() const {
    std::vector<std::string> out;
    for (const std::string& e : ui_.events())
      if (e.find("atualizando estrutura") != std::string::npos ||
          e.find("COPIANDO REGISTROS") != std::string::npos ||
          e.find("Atualizacao da estrutura") != std::string::npos)
        out.push_back(e);
    return out;
  }
  // Opens `alias` in a new program run: no upgrade shown any more.
  void ExpectNoUpgradeNextTime(const std::string& alias) {
    ASSERT_TRUE(store_->USAR("FECHANDO"));
    Restart();
    ui_.clear();
    ASSERT_TRUE(store_->USAR(alias));
    EXPECT_TRUE(Upgrades().empty()) << alias;
  }
};

// Appends rows (field name -> value) to a table file of the folder.
void append_rows(const std::string& path,
                 const std::vector<std::map<std::string, std::string>>& rows,
                 int deleted_row = -1) {
  std::unique_ptr<xbase::Table> t;
  ASSERT_TRUE(xbase::Table::Open(path, &t).ok()) << path;
  for (size_t r = 0; r < rows.size(); ++r) {
    ASSERT_TRUE(t->Append().ok());
    for (const auto& [name, value] : rows[r]) {
      Status st = t->put(t->field_index(name), value);
      ASSERT_TRUE(st.ok()) << name << ": " << st.message();
    }
    if (static_cast<int>(r) == deleted_row) {
      ASSERT_TRUE(t->Delete().ok());
    }
  }
  ASSERT_TRUE(t->Close().ok());
}

TEST_F(RemapaTest, NewRaasTableIsRebuiltOnceKeepingItsRecords) {
  ASSERT_TRUE(create_table(*store_, "S_RAS", false));
  append_rows(file("S_RAS.DBF"),
              {{{"RA_UID", "1234567"}, {"RA_NMPCN", "MARIA"}},
               {{"RA_UID", "7654321"}},
               {{"RA_UID", "1111111"}, {"RA_PCNORI", "01"}}},
              1);
  ASSERT_TRUE(store_->USAR("RAS"));
  EXPECT_EQ(Upgrades(), Messages("S_RAS.DBF"));
  EXPECT_EQ(Values("RAS", "RA_UID"), (std::vector<std::string>{"1234567", "1111111"}));
  EXPECT_EQ(Values("RAS", "RA_NMPCN"), (std::vector<std::string>{"MARIA", ""}));
  EXPECT_EQ(Values("RAS", "RA_PCNORI"), (std::vector<std::string>{"", "01"}));
  EXPECT_EQ(Values("RAS", "RA_SEMCPF"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(store_->table("RAS")->index_count(), 3);
  EXPECT_FALSE(file_exists("TEMP.DBF"));
  ExpectNoUpgradeNextTime("RAS");
}

TEST_F(RemapaTest, NewSupplierTableIsRebuiltOnceAndAnOldOneByFieldName) {
  ASSERT_TRUE(create_table(*store_, "S_FORNEC", false));
  ASSERT_TRUE(store_->USAR("FORNEC"));
  EXPECT_EQ(Upgrades(), Messages("S_FORNEC.DBF"));
  ExpectNoUpgradeNextTime("FORNEC");
  ASSERT_TRUE(store_->USAR("FECHANDO"));

  // A table whose first field is not the CNPJ.
  std::filesystem::remove(file("S_FORNEC.DBF"));
  MakeTable("S_FORNEC.DBF", "FOR_RZSOC C 80, FOR_CNPJ C 14, FOR_TMP C 1",
            {{"ACME", "12345678000199", "X"}});
  ui_.clear();
  ASSERT_TRUE(store_->USAR("FORNEC"));
  EXPECT_EQ(Upgrades(), Messages("S_FORNEC.DBF"));
  EXPECT_EQ(store_->table("FORNEC")->fields()[0].def.name, "FOR_CNPJ");
  EXPECT_EQ(Values("FORNEC", "FOR_CNPJ"), std::vector<std::string>{"12345678000199"});
  EXPECT_EQ(Values("FORNEC", "FOR_RZSOC"), std::vector<std::string>{"ACME"});
}

TEST_F(RemapaTest, ServiceOfProcedureTableIsWidenedWithALeadingZero) {
  MakeTable("S_PASRV.DBF",
            "PASRV_CMP C 6, PASRV_PA C 9, PASRV_SRV C 2, PASRV_CSF C 3, PASRVCHKSM C 6",
            {{"202401", "030101001", "15", "001", "ABC123"}});
  ASSERT_TRUE(store_->USAR("PASRV"));
  EXPECT_EQ(Upgrades(), Messages("S_PASRV.DBF", true));
  xbase::Table* t = store_->table("PASRV");
  ASSERT_EQ(t->fields().size(), 5u);  // its own layout, one field wider
  EXPECT_EQ(t->fields()[2].def.width, 3);
  EXPECT_EQ(Values("PASRV", "PASRV_SRV"), std::vector<std::string>{"015"});
  EXPECT_EQ(Values("PASRV", "PASRVCHKSM"), std::vector<std::string>{"ABC123"});
  ExpectNoUpgradeNextTime("PASRV");
  EXPECT_EQ(Values("PASRV", "PASRV_SRV"), std::vector<std::string>{"015"});
}

// Old layouts and the values their rebuild leaves.
TEST_F(RemapaTest, ValueFixesOfTheRebuilds) {
  struct Case {
    const char* alias;
    const char* old_fields;
    std::vector<std::vector<std::string>> rows;
    const char* field;
    std::vector<std::string> want;
    bool tight;
  } cases[] = {
      {"CFA",
       "CFAINICIAL C 10, CFAFINAL C 10, CFAAMINI C 6, CFAAMFIN C 6",
       {{"123", "4567890123", "200801", "209912"}},
       "CFAINICIAL",
       {"000000000123"},
       false},
      {"CFA",
       "CFAINICIAL C 10, CFAFINAL C 10, CFAAMINI C 6, CFAAMFIN C 6",
       {{"123", "4567890123", "200801", "209912"}},
       "CFAFINAL",
       {"004567890123"},
       false},
      {"MNT",
       "MNT_ID C 8, MNT_TELE C 7, MNT_TPCC C 1",
       {{"11111111", "", ""}, {"22222222", "", "2"}},
       "MNT_TPCC",
       {"1", "2"},
       true},
      {"PA",
       "PA_CMP C 6, PA_ID C 9, PA_CTF C 4",
       {{"202401", "030101001", "01"}},
       "PA_EXIGCBO",
       {"S"},
       false},
      {"PA",
       "PA_CMP C 6, PA_ID C 9, PA_CTF C 4",
       {{"202401", "030101001", "01"}},
       "PA_6MESES",
       {"N"},
       false},
      {"PA",
       "PA_CMP C 6, PA_ID C 9, PA_EXIGCBO C 1, PA_6MESES C 1",
       {{"202401", "030101001", "N", "S"}},
       "PA_EXIGCBO",
       {"N"},
       false},
      {"EMU",
       "EMU_UID C 7, EMU_CMP C 6, EMU_EMA C 3",
       {{"1234567", "202401", "225"}},
       "EMU_MVM",
       {"202401"},
       false},
      {"VPA",
       "VPA_PA C 9, VPA_CMP C 6, VPA_TOTAL N 12 2",
       {{"030101001", "202402", "10.5"}},
       "VPA_MVM",
       {"202402"},
       false},
      {"VPA",
       "VPA_PA C 9, VPA_CMP C 6, VPA_TOTAL N 12 2",
       {{"030101001", "202402", "10.5"}},
       "VPA_TOTAL",
       {"          10.50"},
       false},
      {"CID", "CD_COD C 4, CD_DESCR C 50", {{"A000", "COLERA"}}, "CMP_INI", {"200801"}, false},
      {"CID", "CD_COD C 4, CD_DESCR C 50", {{"A000", "COLERA"}}, "CMP_FIM", {"999999"}, false},
      {"PRDHST",
       "PRD_CMP C 6, PRD_UID C 7, PRD_PA C 10",
       {{"202401", "1234567", "0301010013"}},
       "PRD_PA",
       {"0301010013"},
       false},
      {"UPSPRF",
       "PRF_CMP C 6, PRF_CNES C 7, PRF_CNS C 15",
       {{"202401", "1234567", "700000000000001"}},
       "PRF_CNS",
       {"700000000000001"},
       false},
      {"CTR", "CTR_MVM C 6, CTR_CRD C 1", {{"202401", "A"}}, "CTR_CONS", {""}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.alias) + " " + c.field);
    const CatalogEntry* e = find_catalog_entry(c.alias);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(store_->USAR("FECHANDO"));
    std::filesystem::remove(file(e->table_file()));
    MakeTable(e->table_file(), c.old_fields, c.rows);
    ui_.clear();
    ASSERT_TRUE(store_->USAR(c.alias));
    EXPECT_EQ(Upgrades(), Messages(e->table_file(), c.tight));
    EXPECT_EQ(Values(c.alias, c.field), c.want);
    ExpectNoUpgradeNextTime(c.alias);
  }
}

TEST_F(RemapaTest, ProductionRebuildIsAnnouncedFirst) {
  MakeTable("S_PRD.DBF",
            "PRD_UID C 7, PRD_CMP C 6, PRD_FLH C 3, PRD_PA C 10, PRD_SEQ C 2, PRD_MVM C 6",
            {{"1234567", "202401", "001", "0301010013", "01", "202401"}});
  ASSERT_TRUE(store_->USAR("PRD"));
  std::vector<std::string> want = Messages("S_PRD.DBF");
  ASSERT_GE(ui_.of("wait").size(), 1u);
  EXPECT_EQ(ui_.of("wait")[0], "reformar a estrutura S_PRD!");
  EXPECT_EQ(Upgrades(), want);
  EXPECT_EQ(Values("PRD", "PRD_PA"), std::vector<std::string>{"0301010013"});
}

TEST_F(RemapaTest, EstablishmentsAreMarkedUpdatedAtEveryOpeningButNotWhenAlreadyOpen) {
  ASSERT_TRUE(create_table(*store_, "S_UPS", false));
  append_rows(file("S_UPS.DBF"), {{{"UPS_ID", "1234567"}}, {{"UPS_ID", "7654321"}}});
  ASSERT_TRUE(store_->USAR("UPS"));
  EXPECT_TRUE(Upgrades().empty());
  EXPECT_EQ(Values("UPS", "UPSATUCNES"), (std::vector<std::string>{"S", "S"}));
  xbase::Table* t = store_->table("UPS");
  ASSERT_TRUE(t->GoTo(1).ok());
  ASSERT_TRUE(t->put(t->field_index("UPSATUCNES"), "N").ok());
  ASSERT_TRUE(store_->USAR("UPS"));
  EXPECT_EQ(Values("UPS", "UPSATUCNES"), (std::vector<std::string>{"N", "S"}));
  ASSERT_TRUE(store_->USAR("FECHANDO"));
  ASSERT_TRUE(store_->USAR("UPS"));
  EXPECT_EQ(Values("UPS", "UPSATUCNES"), (std::vector<std::string>{"S", "S"}));
}

TEST_F(RemapaTest, MaintainersWithoutBankGetTheDefaultAtEveryOpening) {
  ASSERT_TRUE(create_table(*store_, "S_MNT", false));
  append_rows(file("S_MNT.DBF"),
              {{{"MNT_ID", "11111111"}}, {{"MNT_ID", "22222222"}, {"MNT_BANCO", "104"}}});
  ASSERT_TRUE(store_->USAR("MNT"));
  EXPECT_EQ(Values("MNT", "MNT_BANCO"), (std::vector<std::string>{"001", "104"}));
}

TEST_F(RemapaTest, BudgetWithoutFinancingTypeTakesItsProceduresType) {
  MakeTable("S_PA.DBF", "PA_CMP C 6, PA_ID C 9, PA_CTF C 4",
            {{"202401", "030101001", "05"},
             {"202312", "030101001", "04"},
             {"202401", "020101001", "01"}});
  MakeTable("S_IPU.DBF", "IPU_UID C 7, IPU_CMP C 6, IPU_PA C 9, IPU_QT_O N 8 0",
            {{"1234567", "202401", "030101001", "5"},
             {"1234567", "202312", "030101001", "5"},
             {"1234567", "202312", "020101001", "5"},
             {"1234567", "202401", "999999999", "5"}});
  ASSERT_TRUE(store_->USAR("IPU"));
  EXPECT_EQ(Upgrades(), Messages("S_IPU.DBF", true));
  EXPECT_EQ(Values("IPU", "IPU_TPFIN"), (std::vector<std::string>{"2", "3", "1", ""}));
  EXPECT_EQ(Values("IPU", "IPU_QT_O"),
            (std::vector<std::string>{"       5", "       5", "       5", "       5"}));
}

TEST_F(RemapaTest, FailedCopyLeavesTheOldTableAndItsIndexesAsTheyWere) {
  // IPU_VL_J is 12 wide now: this value cannot be carried over.
  MakeTable("S_IPU.DBF", "IPU_UID C 7, IPU_CMP C 6, IPU_PA C 9, IPU_TPFIN C 1, IPU_VL_J N 15 2",
            {{"1234567", "202401", "030101001", "2", "9999999999.99"}});
  {
    std::unique_ptr<xbase::Table> t;
    ASSERT_TRUE(xbase::Table::Open(file("S_IPU.DBF"), &t).ok());
    for (const CatalogIndex& ix : find_catalog_entry("IPU")->indexes)
      ASSERT_TRUE(t->CreateIndex(file(std::string(ix.tag) + ".NTX"), ix.key, false).ok());
  }
  std::string table = Bytes("S_IPU.DBF"), index = Bytes("S_IPU01.NTX");
  EXPECT_FALSE(store_->USAR("IPU"));
  ASSERT_EQ(ui_.of("end").size(), 1u);
  EXPECT_EQ(ui_.of("end")[0].rfind("ERRO NA ATUALIZACAO DA ESTRUTURA DE S_IPU.DBF: ", 0), 0u)
      << ui_.of("end")[0];
  EXPECT_EQ(Bytes("S_IPU.DBF"), table);
  EXPECT_EQ(Bytes("S_IPU01.NTX"), index);
  EXPECT_TRUE(file_exists("S_IPU02.NTX"));
  EXPECT_FALSE(file_exists("TEMP.DBF"));
  EXPECT_EQ(store_->table("IPU"), nullptr);  // not left open in its old layout
}

TEST_F(RemapaTest, ValueTableWithOldValueWidthsIsRebuiltAtStart) {
  MakeTable("S_VPA.DBF",
            "VPA_PA C 9, VPA_CMP C 6, VPA_SP N 15 2, VPA_SA N 15 2, VPA_SH N 15 2, "
            "VPA_TOTAL N 13 2, VPA_MUN C 6, VPA_TIPO C 1, VPA_CTF C 2, VPA_RUB C 6, VPA_MVM C 6",
            {{"030101001", "202401", "1", "2", "3", "6.25", "", "1", "", "", "202401"}});
  ASSERT_TRUE(store_->USAR("VPA"));
  EXPECT_TRUE(Upgrades().empty());  // the opening's marker tests pass
  ASSERT_TRUE(store_->REFOVPA());
  EXPECT_EQ(Upgrades(), Messages("S_VPA.DBF"));
  xbase::Table* t = store_->table("VPA");
  EXPECT_EQ(t->fields()[t->field_index("VPA_TOTAL")].def.width, 15);
  EXPECT_EQ(Values("VPA", "VPA_TOTAL"), std::vector<std::string>{"           6.25"});
  EXPECT_EQ(t->index_count(), 1);
  ui_.clear();
  ASSERT_TRUE(store_->REFOVPA());
  EXPECT_TRUE(Upgrades().empty());
}

}  // namespace
}  // namespace kav::testing
