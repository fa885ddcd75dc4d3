// The FTP settings file KAVFTP.CFG of the program folder: the addresses of
// the servers the program downloads from and the connection limits. Lines
// are "KEY=value"; blank lines and lines beginning with '#' are ignored;
// keys are read ignoring case. A key the file leaves out keeps its default.
//
//   CNES=ftp://ftp.datasus.gov.br/cnes/     registry kits, contracted professionals
//   KAV=ftp://ftp.telvora.com.br/kavsus/KAV/    program and table kits, minimum versions
//   BDVERKAV=ftp://ftp.telvora.com.br/kavsus/BDVERKAV/   version database
//   FORNEC=ftp://ftp.telvora.com.br/cnes/    supplier file
//   LOGCARGA=ftp://ftp.telvora.com.br/kavsus/LogCarga/   shipment processing logs
//   PASSWORD=kav@             sent with the anonymous user name
//   CONNECT_TIMEOUT_MS=20000  connection and login
//   REPLY_TIMEOUT_S=60        a later reply, or a stalled transfer
#pragma once

#include <string>

#include "base/status.h"
#include "platform/ftp_client.h"

namespace kav {

struct FtpSettings {
  static constexpr const char* kFileName = "KAVFTP.CFG";

  std::string cnes = "ftp://ftp.datasus.gov.br/cnes/";
  std::string kav = "ftp://ftp.telvora.com.br/kavsus/KAV/";
  std::string bdverkav = "ftp://ftp.telvora.com.br/kavsus/BDVERKAV/";
  std::string fornec = "ftp://ftp.telvora.com.br/cnes/";
  std::string logcarga = "ftp://ftp.telvora.com.br/kavsus/LogCarga/";
  FtpOptions options;
};

// Reads the settings file in `folder` (found ignoring case) over the
// defaults. No file: the defaults and Ok. An unknown key, a line without
// '=' or a limit that is not a positive number: Corrupt naming the line,
// with *out holding the defaults.
Status read_ftp_settings(const std::string& folder, FtpSettings* out);

}  // namespace kav
