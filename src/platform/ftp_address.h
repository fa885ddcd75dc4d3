// Server addresses of the form "ftp://host[:port][/folder/...]", as the
// settings give them.
#pragma once

#include <string>
#include <string_view>

namespace kav {

struct FtpAddress {
  std::string host;
  int port = 21;
  std::string folder;  // "/" when the address names none; always begins with '/'
};

enum class FtpAddressCheck {
  kOk,
  kUnparsable,  // no scheme, no host, a bad port, blanks or control bytes
  kNotFtp,      // a well-formed address of another scheme
};

FtpAddressCheck parse_ftp_address(std::string_view text, FtpAddress* out);

}  // namespace kav
