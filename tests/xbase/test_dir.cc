#include "test_dir.h"

#include <cstdlib>
#include <filesystem>

namespace kav::testing {

TestDir::TestDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "kavtest.XXXXXX").string();
  char* made = ::mkdtemp(tmpl.data());
  path_ = made ? made : "";
}

TestDir::~TestDir() {
  std::error_code ec;
  if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

}  // namespace kav::testing
