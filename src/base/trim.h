// Blank trimming of fixed-width texts (ALLTRIM, RTRIM, LTRIM).
#pragma once

#include <string>
#include <string_view>

namespace kav {

inline std::string trim(std::string_view s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return "";
  return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

inline std::string rtrim(std::string_view s) {
  const size_t e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? "" : std::string(s.substr(0, e + 1));
}

inline std::string ltrim(std::string_view s) {
  const size_t b = s.find_first_not_of(' ');
  return b == std::string_view::npos ? "" : std::string(s.substr(b));
}

}  // namespace kav
