// Whole-file writes and reads for tests, failing the test on an error.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/replacing_file.h"

namespace kav {

inline void write(const std::string& path, const std::string& data) {
  ASSERT_TRUE(replace_file_contents(path, data).ok()) << path;
}

inline std::string read(const std::string& path) {
  std::string out;
  EXPECT_TRUE(read_file(path, &out).ok()) << path;
  return out;
}

}  // namespace kav
