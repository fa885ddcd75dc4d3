#include "shell/dbf_colour_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "shell/colour.h"
#include "toolkit_test_env.h"
#include "xbase/table.h"

namespace kav {
namespace {

class DbfColourTableTest : public ToolkitTest {
 protected:
  DbfColourTableTest() {
    dir_ = testing::TempDir() + "/cor" + std::to_string(getpid()) + "_" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~DbfColourTableTest() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
};

TEST_F(DbfColourTableTest, CreatedWhenMissingWithItsLayout) {
  DbfColourTable table(dir_);
  shell().colour_table = &table;
  EXPECT_EQ(SETCOR("PISCA"), "W+*/R");
  std::unique_ptr<xbase::Table> t;
  ASSERT_TRUE(xbase::Table::Open(dir_ + "/S_COR.DBF", &t).ok());
  ASSERT_EQ(t->fields().size(), 14u);
  EXPECT_EQ(t->fields()[0].def.name, "QUE_LINHA");
  EXPECT_EQ(t->fields()[0].def.type, 'N');
  EXPECT_EQ(t->fields()[0].def.width, 2);
  EXPECT_EQ(t->fields()[1].def.width, 40);
  EXPECT_EQ(t->fields()[13].def.name, "OUTRO3");
  EXPECT_EQ(t->fields()[13].def.width, 30);
  ASSERT_EQ(t->record_count(), 1u);
  ASSERT_TRUE(t->GoTop().ok());
  EXPECT_EQ(t->raw(0), " 1");
  EXPECT_EQ(std::string(t->raw(1)), "<= QUE_LINHA APONTA REGISTRO PADRAO COR ");
  EXPECT_EQ(std::string(t->raw(2)), "W+/B, W+/BG, B/B,, N/BG" + std::string(7, ' '));
}

TEST_F(DbfColourTableTest, ReadsTheRecordTheFirstPointsTo) {
  {
    DbfColourTable table(dir_);
    ColourRecord first = default_colour_record();
    first.QUE_LINHA = 2;
    ASSERT_TRUE(table.create(first).ok());
    std::unique_ptr<xbase::Table> t;
    ASSERT_TRUE(xbase::Table::Open(dir_ + "/S_COR.DBF", &t).ok());
    ASSERT_TRUE(t->Append().ok());
    ASSERT_TRUE(t->put(t->field_index("CABEC"), "N/W").ok());
    ASSERT_TRUE(t->Close().ok());
  }
  DbfColourTable table(dir_);
  shell().colour_table = &table;
  EXPECT_EQ(SETCOR("CABEC"), "N/W");
  EXPECT_EQ(SETCOR("MENU"), "");
}

}  // namespace
}  // namespace kav
