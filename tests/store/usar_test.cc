// Opening tables by alias: index files checked, rebuilt and attached, the
// order and position after opening, packing, control records, aliases
// shared by two tables, tables held by another process.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "store/creators.h"
#include "store/store_global.h"
#include "store_fixture.h"

namespace kav::testing {
namespace {

class UsarTest : public StoreFixture {
 protected:
  // S_PRD with three lines, one of them deleted.
  void MakePrd() {
    ASSERT_TRUE(create_table(*store_, "S_PRD", false));
    ASSERT_TRUE(store_->USAR("PRD"));
    xbase::Table* t = store_->table("PRD");
    for (const char* uid : {"0000003", "0000001", "0000002"}) {
      ASSERT_TRUE(t->Append().ok());
      ASSERT_TRUE(t->put(t->field_index("PRD_UID"), uid).ok());
    }
    ASSERT_TRUE(t->GoTo(3).ok());
    ASSERT_TRUE(t->Delete().ok());
    ASSERT_TRUE(store_->USAR("FECHANDO"));
  }
  void MakeApa(int rows, int deleted) {
    ASSERT_TRUE(create_table(*store_, "S_APA", false));
    ASSERT_TRUE(store_->USAR("APA"));
    xbase::Table* t = store_->table("APA");
    for (int i = 0; i < rows; ++i) {
      ASSERT_TRUE(t->Append().ok());
      ASSERT_TRUE(t->put(t->field_index("APA_NUM"), std::to_string(1000 + i)).ok());
      if (i < deleted) {
        ASSERT_TRUE(t->Delete().ok());
      }
    }
    ASSERT_TRUE(store_->USAR("FECHANDO"));
  }
  std::vector<std::string> CreatedIndexes() const {
    std::vector<std::string> out;
    for (const std::string& l : ui_.of("line"))
      if (l.rfind("CRIANDO INDICE ", 0) == 0) out.push_back(l.substr(15));
    return out;
  }
};

TEST_F(UsarTest, OpensWithOrderOneCurrentAtItsFirstKey) {
  MakePrd();
  ASSERT_TRUE(store_->USAR("PRD"));
  xbase::Table* t = store_->table("PRD");
  EXPECT_EQ(t->index_count(), 4);
  EXPECT_EQ(t->order(), 1);
  EXPECT_EQ(t->recno(), 2u);  // "0000001" is the lowest key; the deleted row is hidden
  EXPECT_EQ(store_->workspace().selected()->alias, "PRD");
  EXPECT_EQ(ui_.events().back(), "line:");  // the message line is cleared
}

TEST_F(UsarTest, AliasIgnoresCaseAndAnOpenTableIsNotReopened) {
  MakeApa(2, 0);
  ASSERT_TRUE(store_->USAR("apa"));
  xbase::Table* first = store_->table("APA");
  ASSERT_TRUE(first->SetOrder(3).ok());
  ASSERT_TRUE(first->GoTo(2).ok());
  ui_.clear();
  ASSERT_TRUE(store_->USAR("APA"));
  EXPECT_EQ(store_->table("APA"), first);
  EXPECT_EQ(first->order(), 1);   // the caller's order is reset
  EXPECT_EQ(first->recno(), 2u);  // its record is kept
  EXPECT_TRUE(CreatedIndexes().empty());
}

TEST_F(UsarTest, UnknownAliasAndMissingTableAnswerFalseWithTheirMessages) {
  EXPECT_FALSE(store_->USAR("nada_disso"));
  EXPECT_FALSE(store_->USAR("PRD"));
  EXPECT_EQ(ui_.of("wait"),
            (std::vector<std::string>{"SR(a). ANALISTA: NOME DESCONHECIDO = NADA_DISSO",
                                      "Nao encontrei S_PRD"}));
}

TEST_F(UsarTest, IndexDeletedByHandIsRebuiltWithTheGauge) {
  MakePrd();
  std::filesystem::remove(file("S_PRD03.NTX"));
  ui_.clear();
  ASSERT_TRUE(store_->USAR("PRD"));
  EXPECT_EQ(CreatedIndexes(), std::vector<std::string>{"S_PRD03"});
  EXPECT_TRUE(file_exists("S_PRD03.NTX"));
  EXPECT_TRUE(ui_.of("wait").empty());
  auto& ev = ui_.events();
  auto open = std::find(ev.begin(), ev.end(), "gauge-open:");
  ASSERT_NE(open, ev.end());
  EXPECT_EQ(*(open - 1), "line:CRIANDO INDICE S_PRD03");
  EXPECT_EQ(std::count(ev.begin(), ev.end(), "gauge-close"), 1);
  EXPECT_NE(std::find(ev.begin(), ev.end(), "gauge:100"), ev.end());
}

TEST_F(UsarTest, IndexWithAnotherKeyIsRebuilt) {
  MakePrd();
  std::unique_ptr<xbase::Table> t;
  ASSERT_TRUE(xbase::Table::Open(file("S_PRD.DBF"), &t).ok());
  ASSERT_TRUE(t->CreateIndex(file("S_PRD02.NTX"), "PRD_PA", false).ok());
  t.reset();
  ui_.clear();
  ASSERT_TRUE(store_->USAR("PRD"));
  EXPECT_EQ(CreatedIndexes(), std::vector<std::string>{"S_PRD02"});
}

TEST_F(UsarTest, ForcePacksProductionButNeverApac) {
  MakePrd();
  MakeApa(3, 2);
  ui_.clear();
  ASSERT_TRUE(store_->USAR("PRD", true));
  EXPECT_EQ(store_->table("PRD")->record_count(), 2u);
  EXPECT_EQ(CreatedIndexes().size(), 4u);
  ui_.clear();
  ASSERT_TRUE(store_->USAR("APA", true));
  EXPECT_EQ(store_->table("APA")->record_count(), 3u);
  EXPECT_EQ(CreatedIndexes(),
            (std::vector<std::string>{"S_APA01", "S_APA03", "S_APA05", "S_APA06"}));
}

TEST_F(UsarTest, OrdersAreChosenByKey) {
  MakeApa(1, 0);
  ASSERT_TRUE(store_->USAR("APA"));
  ASSERT_TRUE(store_->select_order("APA", "APA_MVM + APA_UID + APA_CMP + APA_NUM"));
  EXPECT_EQ(store_->table("APA")->order(), 2);  // S_APA03 is the second file
  EXPECT_FALSE(store_->select_order("APA", "APA_UID"));
  EXPECT_EQ(ui_.of("end").size(), 1u);
}

TEST_F(UsarTest, ControlRecordIsTheLastAndAnEmptyControlTableIsRefused) {
  ASSERT_TRUE(create_table(*store_, "S_CTR", false));
  ASSERT_TRUE(store_->USAR("CTR"));  // created with its record
  ASSERT_TRUE(store_->table("CTR")->Delete().ok());
  ASSERT_TRUE(store_->USAR("FECHANDO"));
  EXPECT_FALSE(store_->USAR("CTR"));
  EXPECT_EQ(ui_.of("wait"),
            std::vector<std::string>{
                "ARQUIVO S_CTR.DBF SEM REGISTRO - RESTAURE A ULTIMA COPIA DE SEGURANCA"});
  EXPECT_EQ(store_->table("CTR"), nullptr);

  MakeTable("S_SS.DBF", "SS_IN C 1, SS_DPCNES C 10, SS_TXTCNE C 10, SS_CRD C 14, SS_CFCES0 C 14",
            {{"E"}, {"M"}});
  ASSERT_TRUE(store_->USAR("SS"));
  xbase::Table* ss = store_->table("SS");
  EXPECT_EQ(ss->recno(), 2u);
  EXPECT_EQ(ss->raw(ss->field_index("SS_IN")), "M");
}

TEST_F(UsarTest, ErrosNamesOneTableAtATime) {
  ASSERT_TRUE(create_table(*store_, "S_OCORR", false));
  MakeTable("ERROS.DBF", "MUNICIPIO C 7, ERRO C 150");
  ASSERT_TRUE(store_->use_work_table("ERROS.DBF", "ERROS").ok());
  EXPECT_GE(store_->table("ERROS")->field_index("MUNICIPIO"), 0);
  ASSERT_TRUE(store_->USAR("ERROS"));
  EXPECT_GE(store_->table("ERROS")->field_index("ORR_CMP"), 0);
  ASSERT_TRUE(store_->use_work_table("erros.dbf", "erros").ok());
  EXPECT_GE(store_->table("ERROS")->field_index("MUNICIPIO"), 0);
  // Both files can be opened again: the one put aside was closed.
  std::unique_ptr<xbase::Table> t;
  EXPECT_TRUE(xbase::Table::Open(file("S_OCORR.DBF"), &t).ok());
}

TEST_F(UsarTest, TableHeldByAnotherProcessIsReportedAsInUse) {
  MakePrd();
  Restart();
  {
    OtherProcessHolding other(file("S_PRD.DBF"));
    ASSERT_TRUE(other.holding());
    EXPECT_FALSE(store_->USAR("PRD"));
  }
  ASSERT_EQ(ui_.of("end").size(), 1u);
  EXPECT_EQ(ui_.of("end")[0],
            "ARQUIVO S_PRD.DBF EM USO POR OUTRO PROGRAMA (OUTRA COPIA DO kav32 NESTA PASTA?)");
  EXPECT_TRUE(ui_.of("wait").empty());  // never taken for a missing table
}

TEST_F(UsarTest, NamedEntryPointsWorkOnTheInstalledStore) {
  install_store(store_.get());
  EXPECT_TRUE(CRIAR_FXAPAC());
  EXPECT_TRUE(CRIA_RAS());
  EXPECT_EQ(ui_.of("wait"), std::vector<std::string>{"CRIANDO ARQUIVO S_FXAPAC.DBF"});
  EXPECT_TRUE(file_exists("S_FXAPAC.DBF"));
  EXPECT_TRUE(file_exists("S_RAS.DBF"));
  EXPECT_TRUE(USAR("fxapac"));
  EXPECT_TRUE(select_order("FXAPAC", "FX_INI + FX_FIM"));
  std::vector<std::string> list;
  EXPECT_TRUE(USAR("NADA", &list));
  EXPECT_TRUE(USAR("FECHANDO"));
  EXPECT_TRUE(file_exists("S_CARTEM.DBI"));
  install_store(nullptr);
}

TEST_F(UsarTest, DamagedTableIsReportedAndNeverTakenForMissing) {
  MakePrd();
  std::filesystem::resize_file(file("S_PRD.DBF"), 40);  // header cut short
  EXPECT_FALSE(store_->USAR("PRD"));
  ASSERT_EQ(ui_.of("end").size(), 1u);
  EXPECT_EQ(ui_.of("end")[0].rfind("ERRO NO ARQUIVO S_PRD.DBF: ", 0), 0u) << ui_.of("end")[0];
  EXPECT_TRUE(ui_.of("wait").empty());
}

TEST_F(UsarTest, BackupListFollowsTheFeatureSwitchAndTheCompetence) {
  std::string feature, competence;
  StoreContext ctx;
  ctx.folder = dir_;
  ctx.ui = &ui_;
  ctx.CTEST_FUNCAO = [&] { return feature; };
  ctx.CCMP_KAV = [&] { return competence; };
  Store s(ctx);
  std::vector<std::string> list;
  ASSERT_TRUE(s.USAR("NADA", &list));
  ASSERT_EQ(list.size(), 55u + 8 + 5);
  EXPECT_EQ(list[0], "S_UPS.DBF");
  EXPECT_EQ(list[54], "S_PADET.DBF");
  EXPECT_EQ(list[55], "S_BPI.DBF");
  EXPECT_EQ(list[62], "S_TPCRD.DBF");
  EXPECT_EQ(list.back(), "RAS.DBF");
  feature = "VERKAV";
  competence = "201212";
  ASSERT_TRUE(s.USAR("nada", &list));
  ASSERT_EQ(list.size(), 55u + 8 + 1);
  EXPECT_EQ(list.back(), "s_prdrep.DBF");
}

}  // namespace
}  // namespace kav::testing
