// The toolkit as the table store's way to the operator, and the header's
// secretariat and competence read from the control tables.
#pragma once

#include "shell/shell_state.h"
#include "store/store.h"
#include "store/store_ui.h"

namespace kav {

class ToolkitStoreUi : public StoreUi {
 public:
  void show_line(const std::string& text) override;
  void show_and_wait(const std::string& text) override;
  void gauge_open(const std::string& caption) override;
  void gauge_update(double percent) override;
  void gauge_close() override;
  void end_program(const std::string& text) override;
};

// Reads S_CTR and S_SS (opening them when they are not open).
HeaderData header_data_from_store(Store& store);

}  // namespace kav
