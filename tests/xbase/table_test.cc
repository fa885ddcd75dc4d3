// Tables: field round trips, visibility, the phantom record, exclusive use,
// pack and zap, and damaged files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>

#include "base/replacing_file.h"
#include "temp_dir.h"
#include "xbase/table.h"

namespace kav::xbase {
namespace {

using kav::TempDir;

std::unique_ptr<Table> create_and_open(const std::string& path, const char* fields) {
  std::vector<FieldDef> defs;
  EXPECT_TRUE(parse_field_list(fields, &defs).ok());
  EXPECT_TRUE(Table::Create(path, defs).ok());
  std::unique_ptr<Table> t;
  Status st = Table::Open(path, &t);
  EXPECT_TRUE(st.ok()) << st.message();
  return t;
}

TEST(Table, EveryFieldTypeRoundTrips) {
  TempDir dir;
  std::string path = dir.file("T.DBF");
  const std::string latin1 = "Sa\xED" "da \xC7\xC3O";          // "Saída ÇÃO"
  const std::string with_nul = std::string("A\0B\x1A\xFF", 5);  // scrambled bytes
  const std::string memo = "linha 1\r\nlinha 2 \xE9\n";
  {
    auto t = create_and_open(path, "NOME C 10, QTD N 8 0, VL N 15 2, DT D, OK L, OBS M, BIN C 5");
    ASSERT_TRUE(t->Append().ok());
    ASSERT_TRUE(t->put(0, latin1).ok());
    ASSERT_TRUE(t->put(1, "-42").ok());
    ASSERT_TRUE(t->put(2, "4.35").ok());
    ASSERT_TRUE(t->put(3, "20261211").ok());
    ASSERT_TRUE(t->put(4, "T").ok());
    ASSERT_TRUE(t->put(5, memo).ok());
    ASSERT_TRUE(t->put_raw(6, with_nul).ok());
    ASSERT_TRUE(t->Append().ok());  // a second record left blank
    ASSERT_TRUE(t->Close().ok());
  }
  std::unique_ptr<Table> t;
  ASSERT_TRUE(Table::Open(path, &t).ok());
  EXPECT_EQ(t->version(), 0x83);
  EXPECT_EQ(t->record_count(), 2u);
  EXPECT_EQ(t->record_length(), 1 + 10 + 8 + 15 + 8 + 1 + 10 + 5);
  EXPECT_EQ(t->raw(0), latin1 + " ");
  EXPECT_EQ(t->raw(1), "     -42");
  EXPECT_EQ(t->raw(2), "           4.35");
  EXPECT_EQ(t->raw(3), "20261211");
  EXPECT_EQ(t->raw(4), "T");
  EXPECT_EQ(t->raw(6), with_nul);
  std::string text;
  ASSERT_TRUE(t->memo(5, &text).ok());
  EXPECT_EQ(text, memo);
  ASSERT_TRUE(t->Skip(1).ok());
  EXPECT_EQ(t->raw(1), "        ");
  ASSERT_TRUE(t->memo(5, &text).ok());
  EXPECT_EQ(text, "");
}

TEST(Table, RefusesValuesThatDoNotFit) {
  TempDir dir;
  auto t = create_and_open(dir.file("T.DBF"), "QTD N 4 0, VL N 6 2, DT D, OK L");
  ASSERT_TRUE(t->Append().ok());
  struct Case {
    int field;
    const char* value;
    bool ok;
  } cases[] = {
      {0, "9999", true}, {0, "10000", false}, {0, "-999", true}, {0, "-1000", false},
      {0, "12x", false},  {1, "999.99", true}, {1, "1000.00", false}, {1, "1.005", true},
      {2, "20240230", false}, {2, "        ", true}, {3, "X", false}, {3, "F", true},
  };
  for (const Case& c : cases) EXPECT_EQ(t->put(c.field, c.value).ok(), c.ok) << c.value;
  EXPECT_EQ(t->raw(1), "  1.01");  // the last good value, rounded half away from zero
}

TEST(Table, DeletedRecordsAreInvisibleAndCountedPhysically) {
  TempDir dir;
  auto t = create_and_open(dir.file("T.DBF"), "K C 3");
  for (const char* k : {"AAA", "BBB", "CCC", "DDD"}) {
    ASSERT_TRUE(t->Append().ok());
    ASSERT_TRUE(t->put(0, k).ok());
  }
  for (uint32_t r : {1u, 3u, 4u}) {
    ASSERT_TRUE(t->GoTo(r).ok());
    ASSERT_TRUE(t->Delete().ok());
  }
  EXPECT_EQ(t->record_count(), 4u);
  ASSERT_TRUE(t->GoTop().ok());
  EXPECT_EQ(t->recno(), 2u);
  ASSERT_TRUE(t->Skip(1).ok());
  EXPECT_TRUE(t->eof());
  EXPECT_EQ(t->recno(), 5u);          // the phantom record
  EXPECT_EQ(t->raw(0), "   ");        // blank
  EXPECT_FALSE(t->put(0, "ZZZ").ok());  // no writing at end of file
  ASSERT_TRUE(t->Skip(-1).ok());
  EXPECT_EQ(t->recno(), 2u);
  ASSERT_TRUE(t->Skip(-1).ok());
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->recno(), 2u);
  t->set_show_deleted(true);
  t->set_filter([](const Table& tb) { return tb.raw(0) != "CCC"; });
  ASSERT_TRUE(t->GoBottom().ok());
  EXPECT_EQ(t->recno(), 4u);
  ASSERT_TRUE(t->Skip(-1).ok());
  EXPECT_EQ(t->recno(), 2u);  // the filter hides record 3
}

TEST(Table, EmptyTableStandsOnThePhantom) {
  TempDir dir;
  auto t = create_and_open(dir.file("T.DBF"), "K C 3");
  ASSERT_TRUE(t->CreateIndex(dir.file("T1.NTX"), "K", false).ok());
  ASSERT_TRUE(t->AttachIndex(dir.file("T1.NTX")).ok());
  ASSERT_TRUE(t->SetOrder(1).ok());
  for (int order : {0, 1}) {
    ASSERT_TRUE(t->SetOrder(order).ok());
    ASSERT_TRUE(t->GoTop().ok());
    EXPECT_TRUE(t->eof() && t->bof());
    EXPECT_EQ(t->recno(), 1u);
    ASSERT_TRUE(t->GoBottom().ok());
    EXPECT_TRUE(t->eof());
  }
  ASSERT_TRUE(t->Seek("A").ok());
  EXPECT_FALSE(t->found());
}

TEST(Table, SecondOpenIsRefusedAsInUse) {
  TempDir dir;
  auto t = create_and_open(dir.file("T.DBF"), "K C 3");
  std::unique_ptr<Table> again;
  Status st = Table::Open(dir.file("T.DBF"), &again);
  EXPECT_TRUE(st.is_in_use()) << st.message();
  EXPECT_NE(st.message().find("T.DBF"), std::string::npos);
}

TEST(Table, HeaderCountIsRightAfterAppendsAndPackKeepsIndexes) {
  TempDir dir;
  std::string path = dir.file("T.DBF");
  auto t = create_and_open(path, "K C 8, N N 6 0");
  ASSERT_TRUE(t->CreateIndex(dir.file("T1.NTX"), "K", false).ok());
  ASSERT_TRUE(t->AttachIndex(dir.file("T1.NTX")).ok());
  for (int i = 0; i < 5000; ++i) {
    ASSERT_TRUE(t->Append().ok());
    ASSERT_TRUE(t->put(0, std::to_string(9999 - i)).ok());
    ASSERT_TRUE(t->put(1, std::to_string(i)).ok());
  }
  ASSERT_TRUE(t->Flush().ok());
  {
    std::ifstream raw(path, std::ios::binary);
    char h[8];
    raw.read(h, 8);
    uint32_t count = static_cast<unsigned char>(h[4]) | (static_cast<unsigned char>(h[5]) << 8);
    EXPECT_EQ(count, 5000u);
  }
  for (uint32_t r = 1; r <= 5000; r += 2) {
    ASSERT_TRUE(t->GoTo(r).ok());
    ASSERT_TRUE(t->Delete().ok());
  }
  ASSERT_TRUE(t->Pack().ok());
  EXPECT_EQ(t->record_count(), 2500u);
  ASSERT_TRUE(t->SetOrder(1).ok());
  ASSERT_TRUE(t->Seek("7000").ok());
  ASSERT_TRUE(t->found());
  EXPECT_EQ(t->raw(1), "  2999");
  ASSERT_TRUE(t->Zap().ok());
  EXPECT_EQ(t->record_count(), 0u);
  ASSERT_TRUE(t->GoTop().ok());
  EXPECT_TRUE(t->eof());
  ASSERT_TRUE(t->Close().ok());
  // No temporary left behind by the replacements.
  for (const char* f : {"T.DBF.tmp", "T1.NTX.tmp"}) EXPECT_NE(access(dir.file(f).c_str(), F_OK), 0);
}

// Damaged files give an error naming the file, never a crash.
TEST(Table, DamagedFilesAreReported) {
  TempDir dir;
  std::string good = dir.file("G.DBF");
  {
    auto t = create_and_open(good, "K C 10, N N 5 0");
    for (int i = 0; i < 300; ++i) {
      ASSERT_TRUE(t->Append().ok());
      ASSERT_TRUE(t->put(0, "K" + std::to_string(i)).ok());
    }
    ASSERT_TRUE(t->CreateIndex(dir.file("G.NTX"), "K", false).ok());
    ASSERT_TRUE(t->Close().ok());
  }
  std::string dbf, ntx;
  ASSERT_TRUE(read_file(good, &dbf).ok());
  ASSERT_TRUE(read_file(dir.file("G.NTX"), &ntx).ok());
  auto patched = [](std::string s, size_t at, std::string bytes) {
    s.replace(at, bytes.size(), bytes);
    return s;
  };
  struct Case {
    const char* name;
    std::string dbf;
    std::string ntx;
  } cases[] = {
      {"short header", dbf.substr(0, 20), ""},
      {"record length", patched(dbf, 10, std::string("\x05\x00", 2)), ""},
      {"truncated records", dbf.substr(0, dbf.size() - 100), ""},
      {"unknown version", patched(dbf, 0, "\x02"), ""},
      {"field type", patched(dbf, 32 + 11, "X"), ""},
      {"index short header", dbf, ntx.substr(0, 500)},
      {"index root out of file", dbf, patched(ntx, 4, std::string("\x00\x00\x10\x00", 4))},
      {"index page out of file", dbf, patched(ntx, 1024 + 2 + 2 * 0 + 0, "")},
      {"index key size", dbf, patched(ntx, 14, std::string("\x00\x00", 2))},
  };
  // Make the page case real: the first child pointer of the root points far away.
  {
    std::string& bad = cases[7].ntx;
    uint32_t root = static_cast<unsigned char>(ntx[4]) | (static_cast<unsigned char>(ntx[5]) << 8);
    uint16_t off0 = static_cast<unsigned char>(ntx[root + 2]) | (static_cast<unsigned char>(ntx[root + 3]) << 8);
    bad = patched(ntx, root + off0, std::string("\x00\x00\x00\x7F", 4));
  }
  for (const Case& c : cases) {
    std::string path = dir.file("D.DBF");
    ASSERT_TRUE(replace_file_contents(path, c.dbf).ok());
    std::unique_ptr<Table> t;
    Status st = Table::Open(path, &t);
    if (c.ntx.empty()) {
      EXPECT_TRUE(st.is_corrupt()) << c.name << ": " << st.message();
      EXPECT_NE(st.message().find("D.DBF"), std::string::npos) << c.name;
      continue;
    }
    ASSERT_TRUE(st.ok()) << c.name;
    ASSERT_TRUE(replace_file_contents(dir.file("D.NTX"), c.ntx).ok());
    st = t->AttachIndex(dir.file("D.NTX"));
    if (st.ok()) {
      ASSERT_TRUE(t->SetOrder(1).ok());
      st = t->GoTop();
      while (st.ok() && !t->eof()) st = t->Skip(1);
    }
    EXPECT_TRUE(st.is_corrupt()) << c.name << ": " << st.message();
    EXPECT_NE(st.message().find("D.NTX"), std::string::npos) << c.name;
  }
}

TEST(Table, IndexOfAnotherTableIsRefused) {
  TempDir dir;
  auto a = create_and_open(dir.file("A.DBF"), "K C 4");
  ASSERT_TRUE(a->CreateIndex(dir.file("A.NTX"), "K", false).ok());
  auto b = create_and_open(dir.file("B.DBF"), "Z C 4");
  EXPECT_TRUE(b->AttachIndex(dir.file("A.NTX")).is_corrupt());
  auto c = create_and_open(dir.file("C.DBF"), "K C 6");
  EXPECT_TRUE(c->AttachIndex(dir.file("A.NTX")).is_corrupt());  // same name, other width
}

}  // namespace
}  // namespace kav::xbase
