#include "shell/store_bridge.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "shell/header.h"
#include "store/creators.h"
#include "store/recording_store_ui.h"
#include "toolkit_test_env.h"

namespace kav {
namespace {

class StoreBridgeTest : public ToolkitTest {
 protected:
  StoreBridgeTest() {
    dir_ = testing::TempDir() + "/bridge" + std::to_string(getpid());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    StoreContext ctx;
    ctx.folder = dir_;
    ctx.ui = &ui_;
    store_ = std::make_unique<Store>(ctx);
  }
  ~StoreBridgeTest() override {
    store_.reset();
    std::filesystem::remove_all(dir_);
  }
  void put(const char* alias, const char* field, const std::string& value) {
    xbase::Table* t = store_->table(alias);
    ASSERT_NE(t, nullptr);
    ASSERT_TRUE(t->put(t->field_index(field), value).ok());
  }

  std::string dir_;
  RecordingStoreUi ui_;
  std::unique_ptr<Store> store_;
};

TEST_F(StoreBridgeTest, HeaderReadsTheControlTables) {
  ASSERT_TRUE(create_table(*store_, "S_CTR", false));
  ASSERT_TRUE(create_table(*store_, "S_SS", false));
  ASSERT_TRUE(store_->USAR("CTR"));
  put("CTR", "CTR_MVM", "202411");
  put("CTR", "CTR_CRD", "F");
  ASSERT_TRUE(store_->USAR("SS"));
  put("SS", "SS_SIGL", "SES-XX");
  put("SS", "SS_CONDIC", "EP");
  ASSERT_TRUE(store_->workspace().CloseAll().ok());  // the header opens them
  shell().header_data = [this] { return header_data_from_store(*store_); };
  CABEC("0000", "MENU INICIAL");
  EXPECT_EQ(row(1).substr(1, 7), "SES-XX ");
  EXPECT_EQ(row(2).substr(1, 14), "EP NOV/2024 F ");
  EXPECT_EQ(shell().CCMP_KAV, "202411");
}

TEST_F(StoreBridgeTest, StoreMessagesGoThroughTheToolkit) {
  start("x");
  ToolkitStoreUi ui;
  ui.show_line("CRIANDO ARQUIVO S_FXAPAC.DBF");
  EXPECT_EQ(row(23).substr(26, 28), "CRIANDO ARQUIVO S_FXAPAC.DBF");
  ui.show_line("");
  EXPECT_EQ(row(23), std::string(80, ' '));
  ui.show_and_wait("INDICE RECRIADO");
  EXPECT_EQ(row_at_wait(0, 23).substr(26, 15), "INDICE RECRIADO");
  ui.gauge_open("");
  ui.gauge_update(100);
  EXPECT_EQ(screen().at(20, 59).glyph, glyph::kFullBlock);
  ui.gauge_close();
  EXPECT_EQ(row(20), std::string(80, ' '));
}

}  // namespace
}  // namespace kav
