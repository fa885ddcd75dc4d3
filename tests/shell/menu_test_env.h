// The toolkit on a script console over a store on a scratch program folder,
// for the menu screens and their checks: control tables, kit rows and
// establishments are made and filled by the test.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/recording_store_ui.h"
#include "store/store.h"
#include "temp_dir.h"
#include "toolkit_test_env.h"

namespace kav {

class MenuTest : public ToolkitTest {
 protected:
  MenuTest();
  ~MenuTest() override;

  // Starts the toolkit with `keys` (the store stays).
  void run(const std::string& keys);

  // S_CTR and S_SS with the given fields; S_UPS empty.
  void make_control(const std::map<std::string, std::string>& ctr,
                    const std::map<std::string, std::string>& ss = {});
  // Stores the values in the record of a one-record table (closing it).
  void set(const std::string& alias, const std::map<std::string, std::string>& values);
  // Appends a record to a catalog table, made when missing.
  void append(const std::string& table, const std::map<std::string, std::string>& values);
  // S_CDN with the rows (group, item, description).
  void make_kit(const std::vector<std::vector<std::string>>& rows);

  // Every text of the screens at the waits so far, row by row.
  bool shown(const std::string& text) const;

  TempDir dir;
  RecordingStoreUi ui;
  std::unique_ptr<Store> store_;
};

}  // namespace kav
