// A stand-in FTP server for tests: a local folder plays the server's login
// folder. Listings come in the MS-DOS form (and go through the same
// parser), downloads go through a temporary name like the real client's,
// and the server can be told to refuse the login, to be unreachable or to
// break off its downloads.
#pragma once

#include <string>

#include "platform/ftp_client.h"

namespace kav {

class LoopbackFtp : public Ftp {
 public:
  enum class Mode {
    kServe,        // answers like a working server
    kRefuseLogin,  // "530" to the login
    kUnreachable,  // the connection is refused by the network
    kBreakDownloads,  // serves, but every download breaks off halfway
  };

  explicit LoopbackFtp(std::string root) : root_(std::move(root)) {}

  void set_mode(Mode mode) { mode_ = mode; }
  // Hosts of connections opened so far, in order.
  const std::vector<std::string>& hosts() const { return hosts_; }

  std::unique_ptr<FtpConnection> Open(const FtpAddress& server,
                                      const FtpOptions& options) override;

 private:
  std::string root_;
  Mode mode_ = Mode::kServe;
  std::vector<std::string> hosts_;
};

}  // namespace kav
