// Index maintenance checked against a simple in-memory model under a random
// mix of appends, key changes, deletes, recalls, packs and reopenings.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "temp_dir.h"
#include "xbase/index_sort.h"
#include "xbase/ntx.h"
#include "xbase/table.h"

namespace kav::xbase {
namespace {

using kav::TempDir;

// Wide keys make small pages (12 items), so a few thousand records give a
// deep tree with many splits and merges.
constexpr int kKeyWidth = 60;

struct Row {
  std::string key;  // padded to kKeyWidth
  bool deleted = false;
};

std::string make_key(std::mt19937& rng) {
  static const char letters[] = "ABCDEFGH";
  std::string k;
  for (int i = 0; i < 3; ++i) k.push_back(letters[rng() % 8]);
  k.resize(kKeyWidth, ' ');
  return k;
}

class Model {
 public:
  std::vector<Row> rows;  // rows[recno - 1]
  // Entries of the non-unique index: every record, by key then record.
  std::vector<std::pair<std::string, uint32_t>> entries() const {
    std::vector<std::pair<std::string, uint32_t>> e;
    for (size_t i = 0; i < rows.size(); ++i) e.push_back({rows[i].key, static_cast<uint32_t>(i + 1)});
    std::sort(e.begin(), e.end());
    return e;
  }
  void pack() {
    std::vector<Row> kept;
    for (const Row& r : rows)
      if (!r.deleted) kept.push_back(r);
    rows = kept;
  }
};

std::vector<std::pair<std::string, uint32_t>> walk(NtxIndex& ntx) {
  std::vector<std::pair<std::string, uint32_t>> out;
  Status st = ntx.ForEach([&](std::string_view k, uint32_t r) {
    out.push_back({std::string(k), r});
    return Status::Ok();
  });
  EXPECT_TRUE(st.ok()) << st.message();
  return out;
}

class IndexModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dbf = dir.file("T.DBF");
    std::vector<FieldDef> fields;
    ASSERT_TRUE(parse_field_list("K C 60, V N 6 0, T C 2", &fields).ok());
    ASSERT_TRUE(Table::Create(dbf, fields).ok());
    Reopen(true);
  }

  void Reopen(bool create_indexes) {
    table.reset();
    ASSERT_TRUE(Table::Open(dbf, &table).ok());
    if (create_indexes) {
      ASSERT_TRUE(table->CreateIndex(dir.file("T1.NTX"), "K", false).ok());
      ASSERT_TRUE(table->CreateIndex(dir.file("T2.NTX"), "SUBSTR(K, 1, 2) + T", true).ok());
    }
    ASSERT_TRUE(table->AttachIndex(dir.file("T1.NTX")).ok());
    ASSERT_TRUE(table->AttachIndex(dir.file("T2.NTX")).ok());
    table->set_show_deleted(true);
  }

  // The table walked in order 1, forwards and backwards, against the model.
  void CheckOrderOne() {
    auto want = model.entries();
    ASSERT_TRUE(table->SetOrder(1).ok());
    std::vector<std::pair<std::string, uint32_t>> fwd, back;
    ASSERT_TRUE(table->GoTop().ok());
    while (!table->eof()) {
      fwd.push_back({std::string(table->raw(0)), table->recno()});
      ASSERT_TRUE(table->Skip(1).ok());
    }
    ASSERT_TRUE(table->GoBottom().ok());
    while (!table->eof()) {
      back.push_back({std::string(table->raw(0)), table->recno()});
      ASSERT_TRUE(table->Skip(-1).ok());
      if (table->bof()) break;
    }
    std::reverse(back.begin(), back.end());
    ASSERT_EQ(fwd, want);
    ASSERT_EQ(back, want);
  }

  // The unique index: strictly increasing keys, each pointing at a record
  // with that key. Right after a rebuild it holds exactly the first record of
  // every key; between rebuilds a key whose first record changed may be gone.
  void CheckUnique(bool after_rebuild) {
    std::map<std::string, uint32_t> first;
    for (size_t i = 0; i < model.rows.size(); ++i)
      first.emplace(model.rows[i].key.substr(0, 2) + "  ", static_cast<uint32_t>(i + 1));
    ASSERT_TRUE(table->SetOrder(2).ok());
    std::vector<std::pair<std::string, uint32_t>> got;
    ASSERT_TRUE(table->GoTop().ok());
    while (!table->eof()) {
      got.push_back({table->current_key(), table->recno()});
      ASSERT_TRUE(table->Skip(1).ok());
    }
    for (size_t i = 1; i < got.size(); ++i) ASSERT_LT(got[i - 1].first, got[i].first);
    for (const auto& [key, recno] : got)
      ASSERT_EQ(model.rows[recno - 1].key.substr(0, 2) + "  ", key);
    if (after_rebuild) {
      std::vector<std::pair<std::string, uint32_t>> want(first.begin(), first.end());
      ASSERT_EQ(got, want);
    }
  }

  TempDir dir;
  std::string dbf;
  std::unique_ptr<Table> table;
  Model model;
};

TEST_F(IndexModelTest, RandomMaintenanceMatchesModel) {
  std::mt19937 rng(20261211);
  for (int round = 0; round < 30; ++round) {
    int ops = 400 + static_cast<int>(rng() % 400);
    for (int i = 0; i < ops; ++i) {
      int what = static_cast<int>(rng() % 10);
      if (what < 5 || model.rows.empty()) {
        Row r{make_key(rng), false};
        ASSERT_TRUE(table->Append().ok());
        ASSERT_TRUE(table->put(0, r.key).ok());
        ASSERT_TRUE(table->put(2, "  ").ok());
        model.rows.push_back(r);
      } else {
        uint32_t recno = 1 + static_cast<uint32_t>(rng() % model.rows.size());
        ASSERT_TRUE(table->GoTo(recno).ok());
        Row& r = model.rows[recno - 1];
        if (what < 8) {
          r.key = make_key(rng);
          ASSERT_TRUE(table->put(0, r.key).ok());
        } else if (what == 8) {
          ASSERT_TRUE(table->Delete().ok());
          r.deleted = true;
        } else {
          ASSERT_TRUE(table->Recall().ok());
          r.deleted = false;
        }
      }
    }
    CheckOrderOne();
    CheckUnique(false);
    if (round % 4 == 3) {
      ASSERT_TRUE(table->Pack().ok());
      model.pack();
      ASSERT_EQ(table->record_count(), model.rows.size());
      CheckOrderOne();
      CheckUnique(true);
    }
    if (round % 3 == 2) Reopen(false);
  }
}

TEST_F(IndexModelTest, SeekFindsFirstEntryNotBelowKey) {
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) {
    Row r{make_key(rng), false};
    ASSERT_TRUE(table->Append().ok());
    ASSERT_TRUE(table->put(0, r.key).ok());
    model.rows.push_back(r);
  }
  // Delete every record whose key starts with "B": they become invisible.
  table->set_show_deleted(false);
  for (uint32_t rec = 1; rec <= model.rows.size(); ++rec) {
    if (model.rows[rec - 1].key[0] != 'B') continue;
    ASSERT_TRUE(table->GoTo(rec).ok());
    ASSERT_TRUE(table->Delete().ok());
    model.rows[rec - 1].deleted = true;
  }
  ASSERT_TRUE(table->SetOrder(1).ok());
  auto entries = model.entries();
  std::vector<std::pair<std::string, uint32_t>> visible;
  for (auto& e : entries)
    if (!model.rows[e.second - 1].deleted) visible.push_back(e);
  for (std::string probe : {"A", "AB", "B", "BA", "C", "CAH", "H", "HHH", "I", ""}) {
    auto it = std::lower_bound(visible.begin(), visible.end(), std::make_pair(probe, 0u),
                               [&](const auto& a, const auto& b) {
                                 return a.first.compare(0, b.first.size(), b.first) < 0;
                               });
    bool want_found = it != visible.end() && it->first.compare(0, probe.size(), probe) == 0;
    ASSERT_TRUE(table->Seek(probe).ok());
    EXPECT_EQ(table->found(), want_found) << probe;
    if (want_found) EXPECT_EQ(table->recno(), it->second) << probe;
    else EXPECT_TRUE(table->eof()) << probe;
    ASSERT_TRUE(table->Seek(probe, true).ok());
    if (it == visible.end()) EXPECT_TRUE(table->eof()) << probe;
    else EXPECT_EQ(table->recno(), it->second) << probe;
  }
}

TEST(NtxBuild, EveryEntryCountGivesAWalkableTree) {
  // Shapes around page boundaries: empty, one page, one more, several levels.
  TempDir dir;
  NtxHeader geometry;
  ntx_geometry(60, &geometry);
  int m = geometry.max_item;
  for (uint64_t n : {0ull, 1ull, 2ull, static_cast<unsigned long long>(m), static_cast<unsigned long long>(m + 1),
                     static_cast<unsigned long long>(m * (m + 1) + m), 5000ull}) {
    std::string path = dir.file("B" + std::to_string(n) + ".NTX");
    uint64_t next = 0;
    std::string key;
    Status st = NtxIndex::Build(path, "K", 60, 0, false, n, [&](std::string_view* k, uint32_t* r, bool* more) {
      *more = next < n;
      if (*more) {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%08llu", static_cast<unsigned long long>(next));
        key = buf;
        key.resize(60, ' ');
        *k = key;
        *r = static_cast<uint32_t>(++next);
      }
      return Status::Ok();
    });
    ASSERT_TRUE(st.ok()) << st.message();
    std::unique_ptr<NtxIndex> ntx;
    ASSERT_TRUE(NtxIndex::Open(path, &ntx).ok());
    auto all = walk(*ntx);
    ASSERT_EQ(all.size(), n);
    for (uint64_t i = 0; i < n; ++i) ASSERT_EQ(all[i].second, i + 1);
    // Walking back gives the same entries reversed.
    ASSERT_TRUE(ntx->Last().ok());
    uint64_t back = 0;
    while (ntx->valid()) {
      ASSERT_EQ(ntx->recno(), n - back);
      ++back;
      ASSERT_TRUE(ntx->Prev().ok());
    }
    ASSERT_EQ(back, n);
  }
}

TEST(NtxBuild, ExternalSortMatchesInMemorySort) {
  // A tiny memory budget forces runs on disk and a merge.
  TempDir dir;
  std::vector<FieldDef> fields;
  ASSERT_TRUE(parse_field_list("K C 5", &fields).ok());
  std::string dbf = dir.file("E.DBF");
  ASSERT_TRUE(Table::Create(dbf, fields).ok());
  std::unique_ptr<Table> t;
  ASSERT_TRUE(Table::Open(dbf, &t).ok());
  std::mt19937 rng(3);
  std::multiset<std::pair<std::string, uint32_t>> want;
  std::map<std::string, uint32_t> want_unique;
  for (uint32_t i = 1; i <= 3000; ++i) {
    std::string k = std::to_string(rng() % 700);
    k.resize(5, ' ');
    ASSERT_TRUE(t->Append().ok());
    ASSERT_TRUE(t->put(0, k).ok());
    want.insert({k, i});
    want_unique.emplace(k, i);
  }
  ASSERT_TRUE(t->Flush().ok());
  for (bool unique : {false, true}) {
    IndexSorter sorter(5, unique, dir.file("X.NTX"), 9 * 64);
    uint32_t recno = 0;
    ASSERT_TRUE(t->GoTop().ok());
    while (!t->eof()) {
      ASSERT_TRUE(sorter.Add(t->raw(0), ++recno).ok());
      ASSERT_TRUE(t->Skip(1).ok());
    }
    ASSERT_TRUE(sorter.Write(dir.file("X.NTX"), "K", 0).ok());
    std::unique_ptr<NtxIndex> ntx;
    ASSERT_TRUE(NtxIndex::Open(dir.file("X.NTX"), &ntx).ok());
    auto got = walk(*ntx);
    if (unique) {
      ASSERT_EQ(got.size(), want_unique.size());
      size_t i = 0;
      for (const auto& [k, r] : want_unique) {
        EXPECT_EQ(got[i].first, k);
        EXPECT_EQ(got[i].second, r);
        ++i;
      }
    } else {
      std::vector<std::pair<std::string, uint32_t>> all(want.begin(), want.end());
      ASSERT_EQ(got, all);
    }
  }
}

}  // namespace
}  // namespace kav::xbase
