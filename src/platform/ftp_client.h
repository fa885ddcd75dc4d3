// The FTP client the program downloads with: anonymous login, active data
// connections, change of folder, MS-DOS listing, binary download. `Ftp`
// opens connections; the real one runs on libcurl, LoopbackFtp
// (ftp_loopback.h) serves a local folder for tests. Every part of the
// program opens its connections through current_ftp().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "platform/ftp_address.h"
#include "platform/ftp_listing.h"

namespace kav {

struct FtpOptions {
  std::string password = "kav@";   // sent with the user name "anonymous"
  int connect_timeout_ms = 20000;  // connection and login
  int reply_timeout_s = 60;        // a later reply, or a transfer that stalls
};

// Bytes received so far and the size the transfer announced (0 when none).
using FtpProgress = std::function<void(int64_t received, int64_t reported_size)>;

class FtpConnection {
 public:
  virtual ~FtpConnection() = default;

  // Connects and logs in as the anonymous user; the folder is the login one.
  virtual Status Connect() = 0;
  // Makes `folder` current: from the login folder when it begins with '/',
  // else from the current one. A refusal leaves the current folder as it was.
  virtual Status ChangeFolder(std::string_view folder) = 0;
  // The entries of the current folder (parse_ms_dos_listing).
  virtual Status List(std::vector<FtpEntry>* entries) = 0;
  // Fetches the file `name` of the current folder into `local_folder` under
  // the same name (an existing file of that name in another case keeps its
  // spelling). The data goes to a temporary name and takes the place of an
  // existing file only when the whole transfer succeeded. A name that is
  // not a bare file name is refused before anything is sent.
  virtual Status Download(std::string_view name, const std::string& local_folder,
                          const FtpProgress& progress) = 0;
  virtual void Close() = 0;

  // The last reply line of the server ("550 No such directory."), empty
  // before the first one.
  virtual std::string last_reply() const = 0;
  // The network's error text for the last failed call; empty when the
  // network reported none (the server refused in a reply).
  virtual std::string socket_error() const = 0;
  // False while no socket was ever created (an unknown host never gets
  // one).
  virtual bool socket_created() const = 0;
};

class Ftp {
 public:
  virtual ~Ftp() = default;
  // A connection to the host and port of `server`, not yet connected.
  virtual std::unique_ptr<FtpConnection> Open(const FtpAddress& server,
                                              const FtpOptions& options) = 0;
};

// The real client (libcurl).
Ftp& curl_ftp();

// The client every part of the program uses; the real one unless a test
// put another in its place.
Ftp& current_ftp();
// Puts `ftp` in place of the current client (nullptr: the real one) and
// returns the previous one. `ftp` must outlive its use.
Ftp* set_current_ftp(Ftp* ftp);

class ScopedFtp {
 public:
  explicit ScopedFtp(Ftp* ftp) : previous_(set_current_ftp(ftp)) {}
  ~ScopedFtp() { set_current_ftp(previous_); }
  ScopedFtp(const ScopedFtp&) = delete;
  ScopedFtp& operator=(const ScopedFtp&) = delete;

 private:
  Ftp* previous_;
};

}  // namespace kav
