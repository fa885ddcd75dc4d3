// Every table the program creates, read back by an independent reader
// (python3-dbf) and compared field by field with the layouts; every catalog
// key builds on its table.
#include <gtest/gtest.h>

#include <sstream>

#include "store/catalog.h"
#include "store/creators.h"
#include "store/layouts.h"
#include "store/remapa.h"
#include "store_fixture.h"

namespace kav::testing {
namespace {

const std::string kReader =
    "/usr/bin/python3 '" + std::string(KAV_SOURCE_DIR) + "/tests/store/read_structure.py'";

std::string expected_structure(const std::string& table, const std::vector<xbase::FieldDef>& f) {
  int length = 1;
  std::ostringstream fields;
  for (const auto& d : f) {
    length += d.width;
    fields << d.name << ' ' << d.type << ' ' << d.width << ' ' << d.decimals << '\n';
  }
  return "FILE " + table + ".DBF " + std::to_string(length) + "\n" + fields.str();
}

class SchemaTest : public StoreFixture {
 protected:
  std::string PythonStructure(const std::string& table) {
    std::string out;
    EXPECT_EQ(Sh(kReader + " " + table + ".DBF", &out), 0) << out;
    return out;
  }
};

TEST_F(SchemaTest, CreatedTablesReadBackAsTheirLayouts) {
  for (const Layout& l : current_layouts()) {
    std::string name(l.table);
    ASSERT_TRUE(create_table(*store_, name, false)) << name;
    std::vector<xbase::FieldDef> want;
    ASSERT_TRUE(creation_fields(name, &want).ok()) << name;
    EXPECT_EQ(PythonStructure(name), expected_structure(name, want)) << name;
  }
  EXPECT_TRUE(ui_.of("end").empty());
}

TEST_F(SchemaTest, TablesCreatedOlderReachTheCurrentLayoutOnFirstOpening) {
  for (const std::string& name : older_creation_tables()) {
    ASSERT_TRUE(create_table(*store_, name, false));
    std::vector<xbase::FieldDef> older, current;
    ASSERT_TRUE(creation_fields(name, &older).ok());
    ASSERT_TRUE(layout_fields(name, &current).ok());
    EXPECT_LT(older.size(), current.size()) << name;
    const CatalogEntry* entry = nullptr;
    for (const CatalogEntry& e : catalog())
      if (e.file == name) entry = &e;
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(store_->USAR(std::string(entry->alias))) << name;
    ASSERT_TRUE(store_->USAR("FECHANDO"));
    EXPECT_EQ(PythonStructure(name), expected_structure(name, current)) << name;
    ui_.clear();
    Restart();
    ASSERT_TRUE(store_->USAR(std::string(entry->alias))) << name;
    EXPECT_TRUE(ui_.of("wait").empty()) << name << ": " << ui_.of("wait")[0];
  }
}

// A table in its current layout is never taken for an old one.
TEST_F(SchemaTest, CurrentLayoutsPassTheirMarkerTests) {
  for (const CatalogEntry& e : catalog()) {
    std::vector<xbase::FieldDef> fields;
    if (!layout_fields(e.file, &fields).ok()) continue;
    std::string path = file(std::string(e.file) + ".DBF");
    ASSERT_TRUE(xbase::Table::Create(path, fields).ok());
    std::unique_ptr<xbase::Table> t;
    ASSERT_TRUE(xbase::Table::Open(path, &t).ok());
    EXPECT_FALSE(needs_upgrade(std::string(e.alias), *t)) << e.alias;
  }
}

// Fields that later readers need and the dictionary once lacked.
TEST_F(SchemaTest, LayoutsCarryTheFieldsTheirReadersNeed) {
  struct Case {
    const char* table;
    const char* field;
    char type;
    int width;
  } cases[] = {
      {"S_PA", "PA_CPFPCN", 'C', 1},
      {"S_PA", "PA_SECOBRI", 'C', 1},
      {"S_RAPA", "RAPA_SEMCP", 'C', 1},
      {"S_PAHA", "PAHA_PA", 'C', 9},
  };
  for (const Case& c : cases) {
    std::vector<xbase::FieldDef> fields;
    ASSERT_TRUE(layout_fields(c.table, &fields).ok());
    bool found = false;
    for (const auto& f : fields) {
      if (f.name != c.field) continue;
      found = true;
      EXPECT_EQ(f.type, c.type) << c.field;
      EXPECT_EQ(f.width, c.width) << c.field;
    }
    EXPECT_TRUE(found) << c.table << " " << c.field;
  }
}

// Each catalog table the program can create opens with all its indexes
// built: every key names fields of its layout.
TEST_F(SchemaTest, EveryCatalogTableOpensWithItsIndexes) {
  int opened = 0;
  for (const CatalogEntry& e : catalog()) {
    if (find_layout(e.file) == nullptr) continue;
    ASSERT_TRUE(create_table(*store_, std::string(e.file), false));
    EXPECT_TRUE(store_->USAR(std::string(e.alias))) << e.alias;
    ++opened;
    xbase::Table* t = store_->table(e.alias);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->index_count(), static_cast<int>(e.indexes.size())) << e.alias;
    for (size_t i = 0; i < e.indexes.size(); ++i)
      EXPECT_TRUE(file_exists(std::string(e.indexes[i].tag) + ".NTX")) << e.indexes[i].tag;
  }
  EXPECT_EQ(opened, 44);  // all but the eleven kit tables the program never creates
  EXPECT_TRUE(ui_.of("end").empty()) << ui_.of("end")[0];
}

}  // namespace
}  // namespace kav::testing
