#include "platform/ftp_loopback.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "base/file_resolver.h"
#include "base/replacing_file.h"
#include "platform/ftp_zip_names.h"

namespace kav {

namespace {

namespace fs = std::filesystem;

DateTime local_time_of(const fs::path& path) {
  struct stat st;
  std::tm tm{};
  if (::stat(path.c_str(), &st) == 0) ::localtime_r(&st.st_mtime, &tm);
  std::optional<Date> d = Date::from_ymd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  return DateTime{d ? *d : *Date::from_ymd(2000, 1, 1), tm.tm_hour, tm.tm_min, 0};
}

class LoopbackConnection : public FtpConnection {
 public:
  LoopbackConnection(std::string root, LoopbackFtp::Mode mode)
      : root_(std::move(root)), mode_(mode) {}

  Status Connect() override {
    if (mode_ == LoopbackFtp::Mode::kUnreachable) {
      socket_created_ = true;
      socket_error_ = "Connection refused";
      return Status::IoError("FTP: " + socket_error_);
    }
    socket_created_ = true;
    if (mode_ == LoopbackFtp::Mode::kRefuseLogin) {
      return Refuse("530 Login incorrect.");
    }
    connected_ = true;
    return Reply("230 Login successful.");
  }

  Status ChangeFolder(std::string_view folder) override {
    KAV_RETURN_IF_ERROR(CheckConnected());
    std::string target = folder.starts_with('/') ? std::string() : folder_;
    std::string_view rest = folder;
    while (!rest.empty()) {
      size_t slash = rest.find('/');
      std::string_view seg = rest.substr(0, slash);
      rest.remove_prefix(slash == std::string_view::npos ? rest.size() : slash + 1);
      if (seg.empty()) continue;
      if (!is_bare_file_name(seg)) return Refuse("550 Failed to change directory.");
      target += "/" + std::string(seg);
    }
    std::error_code ec;
    if (!fs::is_directory(root_ + target, ec)) return Refuse("550 Failed to change directory.");
    folder_ = std::move(target);
    return Reply("250 Directory successfully changed.");
  }

  Status List(std::vector<FtpEntry>* entries) override {
    KAV_RETURN_IF_ERROR(CheckConnected());
    std::string text;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(root_ + folder_, ec)) {
      bool dir = e.is_directory(ec);
      FtpEntry entry{e.path().filename().string(), dir,
                     dir ? 0 : static_cast<int64_t>(e.file_size(ec)), local_time_of(e.path())};
      text += ms_dos_listing_line(entry) + "\r\n";
    }
    *entries = parse_ms_dos_listing(text);
    return Reply("226 Directory send OK.");
  }

  Status Download(std::string_view name, const std::string& local_folder,
                  const FtpProgress& progress) override {
    if (!is_bare_file_name(name)) {
      return Status::Invalid("FTP: nome de arquivo recusado: " + std::string(name));
    }
    KAV_RETURN_IF_ERROR(CheckConnected());
    std::string source = root_ + folder_ + "/" + std::string(name);
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) return Refuse("550 Failed to open file.");
    int64_t total = static_cast<int64_t>(fs::file_size(source, ec));
    ReplacingFile file(resolve_or_same(local_folder + "/" + std::string(name)));
    KAV_RETURN_IF_ERROR(file.Open());
    std::ifstream in(source, std::ios::binary);
    char buf[16384];
    int64_t received = 0;
    int64_t limit = mode_ == LoopbackFtp::Mode::kBreakDownloads ? total / 2 : total;
    while (received < limit) {
      in.read(buf, static_cast<std::streamsize>(std::min<int64_t>(sizeof buf, limit - received)));
      if (in.gcount() <= 0) break;
      KAV_RETURN_IF_ERROR(file.Append(std::string_view(buf, static_cast<size_t>(in.gcount()))));
      received += in.gcount();
      if (progress) progress(received, total);
    }
    if (received < total) {
      socket_error_ = "Connection reset by peer";
      return Status::IoError("FTP: " + socket_error_);
    }
    KAV_RETURN_IF_ERROR(file.Commit());
    return Reply("226 Transfer complete.");
  }

  void Close() override { connected_ = false; }

  std::string last_reply() const override { return last_reply_; }
  std::string socket_error() const override { return socket_error_; }
  bool socket_created() const override { return socket_created_; }

 private:
  Status CheckConnected() {
    if (!connected_) return Status::IoError("FTP: conexao nao iniciada");
    return Status::Ok();
  }
  Status Reply(std::string reply) {
    last_reply_ = std::move(reply);
    socket_error_.clear();
    return Status::Ok();
  }
  Status Refuse(std::string reply) {
    last_reply_ = std::move(reply);
    socket_error_.clear();
    return Status::IoError("FTP: " + last_reply_);
  }

  std::string root_;
  LoopbackFtp::Mode mode_;
  std::string folder_;  // "" or "/a/b" under root_
  bool connected_ = false;
  bool socket_created_ = false;
  std::string last_reply_;
  std::string socket_error_;
};

}  // namespace

std::unique_ptr<FtpConnection> LoopbackFtp::Open(const FtpAddress& server, const FtpOptions&) {
  hosts_.push_back(server.host);
  return std::make_unique<LoopbackConnection>(root_, mode_);
}

}  // namespace kav
