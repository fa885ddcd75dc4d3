#include "platform/ftp_address.h"

#include "base/latin1.h"

namespace kav {

namespace {

bool is_scheme_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '-' || c == '.';
}

bool is_host_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.';
}

bool read_port(std::string_view s, int* port) {
  if (s.empty() || s.size() > 5) return false;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > 65535) return false;
  *port = n;
  return true;
}

}  // namespace

FtpAddressCheck parse_ftp_address(std::string_view text, FtpAddress* out) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return FtpAddressCheck::kUnparsable;
  }
  size_t sep = text.find("://");
  if (sep == std::string_view::npos || sep == 0) return FtpAddressCheck::kUnparsable;
  for (char c : text.substr(0, sep)) {
    if (!is_scheme_char(c)) return FtpAddressCheck::kUnparsable;
  }
  std::string_view rest = text.substr(sep + 3);
  size_t slash = rest.find('/');
  std::string_view authority = rest.substr(0, slash);
  FtpAddress address;
  size_t colon = authority.find(':');
  address.host.assign(authority.substr(0, colon));
  if (address.host.empty()) return FtpAddressCheck::kUnparsable;
  for (char c : address.host) {
    if (!is_host_char(c)) return FtpAddressCheck::kUnparsable;
  }
  if (colon != std::string_view::npos && !read_port(authority.substr(colon + 1), &address.port)) {
    return FtpAddressCheck::kUnparsable;
  }
  address.folder = slash == std::string_view::npos ? "/" : std::string(rest.substr(slash));
  if (latin1_upper(text.substr(0, sep)) != "FTP") return FtpAddressCheck::kNotFtp;
  *out = std::move(address);
  return FtpAddressCheck::kOk;
}

}  // namespace kav
