// kavfix demo: an installation with a small kit that serves its competence.
#include "demo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "base/replacing_file.h"
#include "command.h"
#include "installation_fixture.h"
#include "reference_kit.h"
#include "shell/embaralha.h"
#include "store/recording_store_ui.h"
#include "store/store.h"
#include "xbase/table.h"

namespace kav::kavfix::testing {
namespace {

namespace fs = std::filesystem;

class DemoTest : public InstallationTest {
 protected:
  void SetUp() override { ASSERT_TRUE(make_demo(dir(), false, KAV_BIN_DIR).ok()); }

  // The trimmed description of the S_CDN row of key `key`, or "(none)".
  std::string Cdn(const std::string& key) {
    RecordingStoreUi ui;
    Store store(StoreContext{.folder = dir(), .ui = &ui});
    EXPECT_TRUE(store.USAR("CDN"));
    xbase::Table* t = store.table("CDN");
    EXPECT_TRUE(t->Seek(key).ok());
    if (t->eof()) return "(none)";
    std::string d(t->raw(t->field_index("CDN_DSCR")));
    return d.substr(0, d.find_last_not_of(' ') + 1);
  }
};

TEST_F(DemoTest, KitVersionServesTheOpenCompetence) {
  std::string mvm = LastRecord(dir(), "S_CTR")["CTR_MVM"];
  EXPECT_EQ(mvm, kDemoCompetence);
  std::string version = Cdn("55VERSAO");
  ASSERT_EQ(version.size(), 7u);
  EXPECT_EQ(version.substr(0, 6), mvm);
  EXPECT_TRUE(version[6] >= 'a' && version[6] <= 'z') << version;
  // The minimum versions, scrambled as the home screen reads them.
  EXPECT_EQ(DESEMBARALHA(Cdn("55" + EMBARALHA("KAV"))), "06.05");
  EXPECT_EQ(DESEMBARALHA(Cdn("55" + EMBARALHA("DEPARA"))), "01.24");
  EXPECT_EQ(DESEMBARALHA(Cdn("55" + EMBARALHA("MINIMO"))), version);
}

TEST_F(DemoTest, MunicipalityAndItsSecretariat) {
  std::map<std::string, std::string> ss = LastRecord(dir(), "S_SS");
  EXPECT_EQ(ss["SS_GESTAO"], kDemoMunicipality);
  EXPECT_EQ(ss["SS_IN"], "M");
  EXPECT_EQ(ss["SS_DPCNES"], DESEMBARALHA(Cdn("55" + EMBARALHA("DEPARA"))));
  RecordingStoreUi ui;
  Store store(StoreContext{.folder = dir(), .ui = &ui});
  ASSERT_TRUE(store.USAR("CADMUN"));
  xbase::Table* t = store.table("CADMUN");
  ASSERT_TRUE(t->Seek(kDemoMunicipality).ok());
  ASSERT_FALSE(t->eof());
  EXPECT_EQ(t->raw(t->field_index("CONDIC")), ss["SS_CONDIC"]);
  EXPECT_GT(t->record_count(), 2u);  // and some neighbours
}

TEST_F(DemoTest, EveryKitTableHasRowsAndItsStatedCount) {
  for (const TableRows& kit : demo_kit_tables(kDemoCompetence)) {
    EXPECT_GT(RecordCount(dir(), std::string(kit.file)), 0u) << kit.file;
    EXPECT_EQ(RecordCount(dir(), std::string(kit.file)), kit.rows.size()) << kit.file;
  }
  EXPECT_EQ(Cdn("57PA "), std::to_string(RecordCount(dir(), "S_PA")));
  EXPECT_EQ(Cdn("57CID"), std::to_string(RecordCount(dir(), "S_CID")));
  // The procedures are those of the competence.
  EXPECT_EQ(LastRecord(dir(), "S_PA")["PA_CMP"], kDemoCompetence);
}

TEST_F(DemoTest, KitTablesAreReadableByPythonDbf) {
  std::map<std::string, int> tables = PythonTables(dir());
  for (const TableRows& kit : demo_kit_tables(kDemoCompetence))
    EXPECT_EQ(tables[std::string(kit.file) + ".DBF"], static_cast<int>(kit.rows.size())) << kit.file;
}

TEST_F(DemoTest, CommandLine) {
  std::string again = tmp_ / "again";
  EXPECT_EQ(kDemoCommand.run({again, "--cadcheck", KAV_BIN_DIR}), 0);
  EXPECT_EQ(LastRecord(again, "S_CTR")["CTR_MVM"], kDemoCompetence);
  EXPECT_EQ(kDemoCommand.run({again, "--cadcheck", KAV_BIN_DIR}), 2);  // already there
  EXPECT_EQ(kDemoCommand.run({again, "--cadcheck", KAV_BIN_DIR, "--force"}), 0);
  EXPECT_EQ(kDemoCommand.run({}), 2);
}

TEST_F(DemoTest, OpensWithoutAnyMessage) {
  EXPECT_EQ(OpenEverything(dir()), std::vector<std::string>{});
}

TEST_F(DemoTest, SameFilesEveryTime) {
  std::string again = tmp_ / "again";
  ASSERT_TRUE(make_demo(again, false, KAV_BIN_DIR).ok());
  int compared = 0;
  for (const auto& e : fs::directory_iterator(dir())) {
    std::string name = e.path().filename().string();
    if (!e.is_regular_file() || name == "S_CARTEM.DBI") continue;  // file times
    std::string a, b;
    ASSERT_TRUE(read_file(e.path().string(), &a).ok());
    ASSERT_TRUE(read_file(again + "/" + name, &b).ok()) << name;
    EXPECT_TRUE(a == b) << name;
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace kav::kavfix::testing
