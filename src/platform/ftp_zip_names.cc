#include "platform/ftp_zip_names.h"

namespace kav {

bool is_bare_file_name(std::string_view name) {
  if (name.empty() || name == "." || name.find("..") != std::string_view::npos) return false;
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
  }
  return true;
}

}  // namespace kav
