#include "menu_test_env.h"

#include "shell/store_bridge.h"
#include "store/creators.h"
#include "store/fields.h"
#include "store/store_global.h"
#include "xbase/field.h"

namespace kav {

MenuTest::MenuTest() {
  StoreContext ctx;
  ctx.folder = dir.path();
  ctx.ui = &ui;
  store_ = std::make_unique<Store>(ctx);
  install_store(store_.get());
  run("");
}

MenuTest::~MenuTest() {
  store_->workspace().CloseAll();
  install_store(nullptr);
}

void MenuTest::run(const std::string& keys) {
  start(keys);
  shell().header_data = [this] { return header_data_from_store(*store_); };
}

void MenuTest::make_control(const std::map<std::string, std::string>& ctr,
                            const std::map<std::string, std::string>& ss) {
  for (const char* name : {"S_CTR", "S_SS", "S_UPS"}) {
    ASSERT_TRUE(create_table(*store_, name, false)) << name;
  }
  set("CTR", ctr);
  set("SS", ss);
}

void MenuTest::set(const std::string& alias, const std::map<std::string, std::string>& values) {
  ASSERT_TRUE(store_->USAR(alias)) << alias;
  xbase::Table& t = *store_->table(alias);
  for (const auto& [name, value] : values) ASSERT_TRUE(put_value(t, name, value).ok()) << name;
  ASSERT_TRUE(store_->workspace().Close(alias).ok());
}

void MenuTest::append(const std::string& table, const std::map<std::string, std::string>& values) {
  ASSERT_TRUE(create_table(*store_, table, false)) << table;
  const std::string alias = table.substr(2);
  ASSERT_TRUE(store_->USAR(alias)) << alias;
  xbase::Table& t = *store_->table(alias);
  ASSERT_TRUE(t.Append().ok());
  for (const auto& [name, value] : values) ASSERT_TRUE(put_value(t, name, value).ok()) << name;
  ASSERT_TRUE(store_->workspace().Close(alias).ok());
}

void MenuTest::make_kit(const std::vector<std::vector<std::string>>& rows) {
  std::vector<xbase::FieldDef> defs;
  ASSERT_TRUE(xbase::parse_field_list("CDN_TB C 2, CDN_IT C 10, CDN_DSCR C 60", &defs).ok());
  ASSERT_TRUE(xbase::Table::Create(dir.file("S_CDN.DBF"), defs).ok());
  std::unique_ptr<xbase::Table> t;
  ASSERT_TRUE(xbase::Table::Open(dir.file("S_CDN.DBF"), &t).ok());
  for (const auto& row : rows) {
    ASSERT_TRUE(t->Append().ok());
    for (size_t i = 0; i < row.size(); ++i) ASSERT_TRUE(t->put(int(i), row[i]).ok());
  }
  ASSERT_TRUE(t->Close().ok());
}

bool MenuTest::shown(const std::string& text) const {
  for (size_t w = 0; w < waits(); ++w) {
    for (int r = 0; r < Screen::kRows; ++r) {
      if (row_at_wait(w, r).find(text) != std::string::npos) return true;
    }
  }
  return false;
}

}  // namespace kav
