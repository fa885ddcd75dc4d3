// A fresh scratch folder per test, removed afterwards.
#pragma once

#include <string>

namespace kav::testing {

class TestDir {
 public:
  TestDir();
  ~TestDir();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace kav::testing
