#include "shell/browse.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "shell/array_cursor.h"
#include "shell/dbf_cursor.h"
#include "shell/key_range.h"
#include "toolkit_test_env.h"

namespace kav {
namespace {

// A table of keys "A1 B1 B2 B3 C1" (appended out of order) indexed on KEY.
class BrowseTest : public ToolkitTest {
 protected:
  BrowseTest() {
    dir_ = testing::TempDir() + "/browse" + std::to_string(getpid()) + "_" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    EXPECT_TRUE(xbase::Table::Create(dir_ + "/T.DBF", {{"KEY", 'C', 2, 0}, {"NAME", 'C', 8, 0}}).ok());
    EXPECT_TRUE(xbase::Table::Open(dir_ + "/T.DBF", &table_).ok());
    for (const char* k : {"B2", "A1", "C1", "B3", "B1"}) {
      EXPECT_TRUE(table_->Append().ok());
      EXPECT_TRUE(table_->put(0, k).ok());
      EXPECT_TRUE(table_->put(1, std::string("nome ") + k).ok());
    }
    EXPECT_TRUE(table_->CreateIndex(dir_ + "/T1.NTX", "KEY", false).ok());
    EXPECT_TRUE(table_->AttachIndex(dir_ + "/T1.NTX").ok());
    EXPECT_TRUE(table_->SetOrder(1).ok());
    cursor_ = std::make_unique<DbfCursor>(table_.get());
  }
  ~BrowseTest() override {
    cursor_.reset();
    table_.reset();
    std::filesystem::remove_all(dir_);
  }

  std::string key() const { return cursor_->eof() ? "<eof>" : cursor_->key(); }
  // The key-range browse of the consultations.
  std::unique_ptr<Browse> range(const std::string& prefix) {
    TableCursor& t = *cursor_;
    return TBROWSEFW(
        t, nullptr, [&t, prefix] { return t.key().compare(0, prefix.size(), prefix) == 0; },
        [&t, prefix] { INICFAIXA(t, prefix); }, FIMDAFAIXA(t, prefix));
  }

  std::string dir_;
  std::unique_ptr<xbase::Table> table_;
  std::unique_ptr<DbfCursor> cursor_;
};

TEST_F(BrowseTest, RangeEnds) {
  struct Case {
    const char* prefix;
    const char* first;
    const char* last;
  } cases[] = {
      {"B", "B1", "B3"},
      {"B2", "B2", "B2"},
      {"A", "A1", "A1"},
      // No key begins with "D": the exact seek fails and the pointer ends on
      // the table's last record.
      {"C", "C1", "C1"},
      {"Z", "<eof>", "C1"},
  };
  for (const Case& c : cases) {
    INICFAIXA(*cursor_, c.prefix);
    EXPECT_EQ(key(), c.first) << c.prefix;
    FIMDAFAIXA(*cursor_, c.prefix);
    EXPECT_EQ(key(), c.last) << c.prefix;
  }
}

TEST_F(BrowseTest, MoveRecordsStopsAtBothEnds) {
  struct Case {
    const char* start;
    int n;
    const char* prefix;
    int moved;
    const char* end;
  } cases[] = {
      {"B1", -1, "B", 0, "B1"}, {"B3", 1, "B", 0, "B3"},  {"B1", 5, "B", 2, "B3"},
      {"B3", -5, "B", -2, "B1"}, {"B2", 1, "B", 1, "B3"}, {"B2", -1, "B", -1, "B1"},
      {"A1", -1, "A", 0, "A1"},  // the first record of the table (bof)
      {"C1", 1, "C", 0, "C1"},   // the last one (eof)
      {"B2", 0, "B", 0, "B2"},   {"A1", 3, "", 3, "B3"},
  };
  for (const Case& c : cases) {
    cursor_->seek(c.start, false);
    EXPECT_EQ(MOVEREG(*cursor_, c.n, c.prefix), c.moved) << c.start << " " << c.n;
    EXPECT_EQ(key(), c.end) << c.start << " " << c.n;
  }
  cursor_->go_phantom();
  EXPECT_EQ(MOVEREG(*cursor_, 1, "B"), 0);
}

TEST_F(BrowseTest, FilteredRange) {
  TableCursor& t = *cursor_;
  auto b = range("B");
  EXPECT_FALSE(keyboard().has_hot_key("CTRL_C"));
  EXPECT_EQ(b->count(), 3);
  ASSERT_TRUE(b->go_first());
  EXPECT_EQ(key(), "B1");
  EXPECT_EQ(b->skip(5), 2);
  EXPECT_EQ(key(), "B3");
  EXPECT_EQ(b->ordinal(), 3);
  EXPECT_EQ(b->skip(1), 0);
  EXPECT_EQ(b->skip(-9), -2);
  EXPECT_EQ(b->ordinal(), 1);

  // Only records satisfying the condition are shown, within the range.
  Browse odd(&t, [&t] { return t.key() != "B2"; },
             [&t] { return t.key()[0] == 'B'; }, [&t] { INICFAIXA(t, "B"); }, FIMDAFAIXA(t, "B"));
  EXPECT_EQ(odd.count(), 2);
  ASSERT_TRUE(odd.go_first());
  EXPECT_EQ(odd.skip(1), 1);
  EXPECT_EQ(key(), "B3");
  ASSERT_TRUE(odd.go_last());
  EXPECT_EQ(key(), "B3");

  auto none = range("X");
  EXPECT_TRUE(none->empty());
  EXPECT_FALSE(none->go_first());
  EXPECT_TRUE(cursor_->eof());
  EXPECT_FALSE(none->go_last());
}

TEST_F(BrowseTest, DeleteMovesToTheRecordShownAfterwards) {
  start("<ENTER><ENTER><LEFT><ENTER>");
  auto b = range("B");
  cursor_->seek("B2", false);
  ASSERT_TRUE(DELETA(*b, "B"));  // the previous record of the range
  EXPECT_EQ(key(), "B1");
  EXPECT_EQ(b->count(), 2);
  ASSERT_TRUE(DELETA(*b, "B"));  // no previous one: the next
  EXPECT_EQ(key(), "B3");
  EXPECT_EQ(b->count(), 1);
  EXPECT_FALSE(DELETA(*b, "B"));  // "NAO"
  EXPECT_EQ(key(), "B3");
}

TEST_F(BrowseTest, DeletingTheOnlyRecordEmptiesTheRange) {
  start("<ENTER>");
  auto b = range("C");
  ASSERT_TRUE(b->go_first());
  keyboard().push('x');
  ASSERT_TRUE(DELETA(*b, "C"));
  EXPECT_TRUE(b->empty());
  EXPECT_TRUE(cursor_->eof());
  EXPECT_FALSE(keyboard().has_pushed());
  cursor_->go_to(3);  // the record is there, marked deleted
  EXPECT_TRUE(cursor_->deleted());
  EXPECT_FALSE(range("C")->go_first());
}

TEST_F(BrowseTest, DeleteWithoutPrefixGoesToThePhantom) {
  start("<ENTER>");
  auto b = TBROWSEFW(*cursor_, nullptr, nullptr, nullptr, nullptr);
  cursor_->seek("B2", false);
  ASSERT_TRUE(DELETA(*b, ""));
  EXPECT_EQ(b->count(), 4);
  EXPECT_EQ(key(), "A1");  // the refreshed browse stands on its first record
}

TEST_F(BrowseTest, DrawsColumnsAndTheCurrentRow) {
  auto b = range("B");
  b->set_window(5, 2, 9, 30);
  b->set_colour("W/B,N/W");
  b->add_column("Chave", 5, [this] { return cursor_->key(); });
  b->add_column("Nome", 10, [this] { return std::string(table_->raw(1)); });
  b->go_first();
  b->navigate(key::kDown);
  b->stabilize();
  EXPECT_EQ(console->screen().latin1_text(5, 2, 16), "Chave?Nome      ");
  EXPECT_EQ(console->screen().at(6, 7).glyph, glyph::kCross);
  EXPECT_EQ(console->screen().latin1_text(7, 2, 16), "B1   ?nome B1   ");
  EXPECT_EQ(console->screen().latin1_text(8, 2, 16), "B2   ?nome B2   ");
  EXPECT_EQ(console->screen().latin1_text(9, 2, 16), "B3   ?nome B3   ");
  EXPECT_EQ(console->screen().at(8, 2).attr, make_attr(0, 7));
  EXPECT_EQ(console->screen().at(7, 2).attr, make_attr(7, 1));
  EXPECT_EQ(key(), "B2");  // drawing leaves the pointer where it was
  b->navigate(key::kCtrlPgDn);
  EXPECT_EQ(key(), "B3");
  b->navigate(key::kCtrlPgUp);
  EXPECT_EQ(key(), "B1");
}

}  // namespace
}  // namespace kav

namespace kav {
namespace {

using ListBrowseTest = ToolkitTest;

// Thirty rows in a window of five: which rows show, and which is current.
TEST_F(ListBrowseTest, PagesThroughMoreRowsThanTheWindow) {
  ArrayCursor rows(30);
  Browse b(&rows, nullptr, nullptr, nullptr, nullptr);
  b.set_window(2, 0, 6, 9);
  b.set_colour("W/N,N/W");
  b.add_column("", 4, [&rows] { return "L" + std::to_string(rows.row() + 1); });
  const auto shown = [&] {
    b.stabilize();
    std::string out;
    for (int r = 2; r <= 6; ++r) {
      const std::string t = screen().latin1_text(r, 0, 4);
      out += (screen().at(r, 0).attr == make_attr(0, 7) ? "[" + t + "]" : t) + " ";
    }
    return out;
  };
  struct Step {
    int key;
    const char* rows;
  } steps[] = {
      {0, "[L1  ] L2   L3   L4   L5   "},
      {key::kUp, "[L1  ] L2   L3   L4   L5   "},
      {key::kDown, "L1   [L2  ] L3   L4   L5   "},
      {key::kPgDn, "L6   [L7  ] L8   L9   L10  "},  // a page on, same row
      {key::kPgUp, "L1   [L2  ] L3   L4   L5   "},
      {key::kCtrlPgDn, "L26  L27  L28  L29  [L30 ] "},
      {key::kDown, "L26  L27  L28  L29  [L30 ] "},
      {key::kPgDn, "L26  L27  L28  L29  [L30 ] "},
      {key::kUp, "L26  L27  L28  [L29 ] L30  "},
      {key::kCtrlPgUp, "[L1  ] L2   L3   L4   L5   "},
  };
  for (const Step& s : steps) {
    if (s.key != 0) {
      EXPECT_TRUE(b.navigate(s.key));
    }
    EXPECT_EQ(shown(), s.rows) << s.key;
  }
  EXPECT_FALSE(b.navigate('x'));
  EXPECT_EQ(b.count(), 30);
}

TEST_F(ListBrowseTest, DeletedRowsAreHidden) {
  ArrayCursor rows(3);
  rows.go_to(2);
  rows.delete_record();
  Browse b(&rows, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(b.count(), 2);
  ASSERT_TRUE(b.go_first());
  EXPECT_EQ(b.skip(1), 1);
  EXPECT_EQ(rows.recno(), 3u);
  EXPECT_EQ(b.skip(-5), -1);
  EXPECT_EQ(rows.recno(), 1u);
}

}  // namespace
}  // namespace kav
