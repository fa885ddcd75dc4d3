// The integrity file: stamps written at every orderly close, compared at
// the next start; index files that no longer belong to their table are
// deleted and rebuilt on use.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "store/array_file.h"
#include "store/creators.h"
#include "store/file_stamp.h"
#include "store_fixture.h"

namespace kav::testing {
namespace {

const std::vector<std::string> kPrdIndexes = {"S_PRD01.NTX", "S_PRD02.NTX", "S_PRD03.NTX",
                                              "S_PRD04.NTX"};
const std::vector<std::string> kApaIndexes = {"S_APA01.NTX", "S_APA03.NTX", "S_APA05.NTX",
                                              "S_APA06.NTX"};

class IntegrityTest : public StoreFixture {
 protected:
  // PRD and APA with their indexes, recorded by an orderly close.
  void SetUp() override {
    ASSERT_TRUE(create_table(*store_, "S_PRD", false));
    ASSERT_TRUE(create_table(*store_, "S_APA", false));
    ASSERT_TRUE(store_->USAR("PRD"));
    ASSERT_TRUE(store_->USAR("APA"));
    ASSERT_TRUE(store_->USAR("FECHANDO"));
    Restart();
    ui_.clear();
  }
  int Present(const std::vector<std::string>& names) const {
    int n = 0;
    for (const auto& f : names) n += file_exists(f);
    return n;
  }
  void Rewrite(const std::string& data) {
    std::ofstream(file("S_CARTEM.DBI"), std::ios::binary | std::ios::trunc) << data;
  }
  std::string Read() const {
    std::ifstream in(file("S_CARTEM.DBI"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(IntegrityTest, CloseRecordsStampsOfEveryTableAndIndex) {
  ArrayList list;
  ASSERT_TRUE(RESTARRAY(file("S_CARTEM.DBI"), &list).ok());
  ASSERT_EQ(list.size(), 56u);
  EXPECT_EQ(list[55], ArrayItem::Text("VERSAO.1606"));
  // Entry 10 is PRD: the table and its four indexes.
  ASSERT_EQ(list[9].items.size(), 5u);
  EXPECT_EQ(list[9].items[0].text, FDIR_DBI(file("S_PRD.DBF")));
  EXPECT_EQ(list[9].items[3].text, FDIR_DBI(file("S_PRD03.NTX")));
  // Entry 1 is UPS, missing with its five indexes.
  EXPECT_EQ(list[0], ArrayItem::List({ArrayItem::Text("XXXX"), ArrayItem::Text("IIII"),
                                      ArrayItem::Text("IIII"), ArrayItem::Text("IIII"),
                                      ArrayItem::Text("IIII"), ArrayItem::Text("IIII")}));
  // CTR has no indexes: its element holds only the table's stamp.
  EXPECT_EQ(list[6].items.size(), 1u);
}

TEST_F(IntegrityTest, UnchangedFolderKeepsEveryIndex) {
  ASSERT_TRUE(store_->USAR("ABRINDO"));
  EXPECT_EQ(Present(kPrdIndexes), 4);
  EXPECT_EQ(Present(kApaIndexes), 4);
  EXPECT_TRUE(ui_.events().empty());
}

TEST_F(IntegrityTest, TableChangedOutsideLosesOnlyItsOwnIndexes) {
  Touch("S_PRD.DBF", 1000000000);
  ASSERT_TRUE(store_->USAR("ABRINDO"));
  EXPECT_EQ(Present(kPrdIndexes), 0);
  EXPECT_EQ(Present(kApaIndexes), 4);
  EXPECT_TRUE(ui_.events().empty());
  ASSERT_TRUE(store_->USAR("PRD"));
  EXPECT_EQ(Present(kPrdIndexes), 4);
}

TEST_F(IntegrityTest, IndexChangedOutsideIsTheOnlyOneDeleted) {
  Touch("S_APA05.NTX", 1000000000);
  ASSERT_TRUE(store_->USAR("ABRINDO"));
  EXPECT_EQ(Present(kApaIndexes), 3);
  EXPECT_FALSE(file_exists("S_APA05.NTX"));
  EXPECT_EQ(Present(kPrdIndexes), 4);
}

TEST_F(IntegrityTest, MissingOrForeignIntegrityFileDeletesEveryIndex) {
  std::string good = Read();
  ArrayList list;
  ASSERT_TRUE(decode_array(good, &list).ok());
  ArrayList one_table_less(list.begin() + 1, list.end());
  ArrayList wrong_count = list;
  wrong_count[9].items.pop_back();
  ArrayList other_mark = list;
  other_mark.back() = ArrayItem::Text("VERSAO.1505");
  auto encoded = [](const ArrayList& l) {
    std::string s;
    EXPECT_TRUE(encode_array(l, &s).ok());
    return s;
  };
  const std::string all = " - TODOS ARQUIVOS SERAO REINDEXADOS";
  struct Case {
    const char* what;
    std::string data;  // empty: the file is removed
    std::string message;
  } cases[] = {
      {"missing", "", "3. ARQUIVO S_CARTEM.DBI INEXISTENTE" + all},
      {"empty file", std::string("\0", 0) + " ", "1. ESTRUTURA DIFERENTE" + all},
      {"truncated", good.substr(0, good.size() / 2), "1. ESTRUTURA DIFERENTE" + all},
      {"a table less", encoded(one_table_less), "1. ESTRUTURA DIFERENTE" + all},
      {"another mark", encoded(other_mark), "1. ESTRUTURA DIFERENTE" + all},
      {"index count", encoded(wrong_count), "2. ESTRUTURA DIFERENTE" + all},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(store_->USAR("PRD"));
    ASSERT_TRUE(store_->USAR("APA"));
    ASSERT_TRUE(store_->USAR("FECHANDO"));
    if (c.data.empty())
      std::filesystem::remove(file("S_CARTEM.DBI"));
    else
      Rewrite(c.data);
    ui_.clear();
    ASSERT_TRUE(store_->USAR("ABRINDO"));
    EXPECT_EQ(ui_.of("wait"), std::vector<std::string>{c.message});
    EXPECT_EQ(Present(kPrdIndexes) + Present(kApaIndexes), 0);
  }
}

TEST_F(IntegrityTest, FolderInUseByAnotherCopyKeepsItsIndexes) {
  std::filesystem::remove(file("S_CARTEM.DBI"));
  {
    OtherProcessHolding other(file("S_APA.DBF"));
    ASSERT_TRUE(other.holding());
    EXPECT_FALSE(store_->USAR("ABRINDO"));
  }
  EXPECT_EQ(ui_.of("end"), std::vector<std::string>{"ARQUIVO S_APA.DBF EM USO POR OUTRO PROGRAMA "
                                                    "(OUTRA COPIA DO kav32 NESTA PASTA?)"});
  EXPECT_EQ(Present(kPrdIndexes) + Present(kApaIndexes), 8);
}

TEST_F(IntegrityTest, IndexThatCannotBeDeletedIsReportedWithTheSystemCode) {
  std::filesystem::remove(file("S_PRD01.NTX"));
  std::filesystem::create_directory(file("S_PRD01.NTX"));  // unlink fails: EISDIR
  std::filesystem::remove(file("S_CARTEM.DBI"));
  ASSERT_TRUE(store_->USAR("ABRINDO"));
  EXPECT_EQ(ui_.of("line"), std::vector<std::string>{"APAGANDO S_PRD01 - ERRO D.O.S. CODIGO = 21"});
  EXPECT_EQ(Present(kPrdIndexes), 1);
  EXPECT_EQ(Present(kApaIndexes), 0);
}

TEST(FileStampTest, MonthDayAndTimeOfTheFileOrFourBlanks) {
  std::string dir = std::filesystem::temp_directory_path() / "kav_stamp_test";
  std::filesystem::create_directories(dir);
  std::string f = dir + "/Stamped.DBF";
  std::ofstream(f) << "x";
  struct tm tm = {};
  tm.tm_year = 2026 - 1900;
  tm.tm_mon = 2;
  tm.tm_mday = 7;
  tm.tm_hour = 9;
  tm.tm_min = 5;
  tm.tm_sec = 3;
  tm.tm_isdst = -1;
  time_t when = mktime(&tm);
  struct timespec times[2] = {{when, 0}, {when, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, f.c_str(), times, 0), 0);
  EXPECT_EQ(FDIR_DBI(f), "0307090503");
  EXPECT_EQ(FDIR_DBI(dir + "/STAMPED.dbf"), "0307090503");  // looked up ignoring case
  EXPECT_EQ(FDIR_DBI(dir + "/NONE.DBF"), "    ");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kav::testing
