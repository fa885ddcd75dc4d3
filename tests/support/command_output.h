// Runs a shell command for a test and answers what it wrote on its
// standard output.
#pragma once

#include <array>
#include <cstdio>
#include <string>

namespace kav {

inline std::string command_output(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return out;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  pclose(p);
  return out;
}

}  // namespace kav
