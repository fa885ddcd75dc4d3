// The real FTP client on libcurl. One easy handle per connection keeps the
// control connection open between calls; each call is one curl transfer on
// a URL built from the current folder.
#include <curl/curl.h>

#include <mutex>

#include "base/file_resolver.h"
#include "base/replacing_file.h"
#include "platform/ftp_client.h"
#include "platform/ftp_zip_names.h"

namespace kav {

namespace {

// Codes that mean the network failed, not that the server refused in a reply.
constexpr CURLcode kNetworkErrors[] = {
    CURLE_COULDNT_RESOLVE_HOST, CURLE_COULDNT_CONNECT, CURLE_OPERATION_TIMEDOUT,
    CURLE_SEND_ERROR,           CURLE_RECV_ERROR,      CURLE_GOT_NOTHING,
    CURLE_PARTIAL_FILE,         CURLE_FTP_ACCEPT_FAILED, CURLE_FTP_ACCEPT_TIMEOUT,
    CURLE_FTP_PORT_FAILED,      CURLE_FTP_CANT_GET_HOST,
};

bool is_network_error(CURLcode code) {
  for (CURLcode c : kNetworkErrors) {
    if (c == code) return true;
  }
  return false;
}

bool has_control_byte(std::string_view s) {
  for (char ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

// The folders of `path` ("/a/b/", "c", "d/e"), empty ones dropped.
std::vector<std::string> segments(std::string_view path) {
  std::vector<std::string> out;
  while (!path.empty()) {
    size_t slash = path.find('/');
    std::string_view seg = path.substr(0, slash);
    if (!seg.empty()) out.emplace_back(seg);
    path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
  }
  return out;
}

void global_init() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

class CurlFtpConnection : public FtpConnection {
 public:
  CurlFtpConnection(const FtpAddress& server, const FtpOptions& options)
      : options_(options), curl_(nullptr) {
    std::string host = server.host.find(':') != std::string::npos ? "[" + server.host + "]"
                                                                   : server.host;
    base_url_ = "ftp://" + host + ":" + std::to_string(server.port) + "/";
  }
  ~CurlFtpConnection() override { Close(); }

  Status Connect() override;
  Status ChangeFolder(std::string_view folder) override;
  Status List(std::vector<FtpEntry>* entries) override;
  Status Download(std::string_view name, const std::string& local_folder,
                  const FtpProgress& progress) override;
  void Close() override;

  std::string last_reply() const override { return last_reply_; }
  std::string socket_error() const override { return socket_error_; }
  bool socket_created() const override { return socket_created_; }

 private:
  // What one transfer does with the data that arrives.
  struct Sink {
    std::string* text = nullptr;      // the listing
    ReplacingFile* file = nullptr;    // a download
    const FtpProgress* progress = nullptr;
    Status local;                     // a local write failure
    int64_t last_received = -1;
    int64_t last_total = -1;
  };

  Status SetUp();
  std::string FolderUrl(const std::vector<std::string>& folder) const;
  Status Perform(const std::string& url, bool body, Sink* sink);

  static size_t OnData(char* p, size_t size, size_t n, void* user);
  static size_t OnReply(char* p, size_t size, size_t n, void* user);
  static int OnProgress(void* user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t);
  static int OnSocket(void* user, curl_socket_t, curlsocktype);

  FtpOptions options_;
  CURL* curl_;
  std::string base_url_;
  std::vector<std::string> folder_;
  std::string last_reply_;
  std::string socket_error_;
  bool socket_created_ = false;
  char error_text_[CURL_ERROR_SIZE] = {};
};

Status CurlFtpConnection::SetUp() {
  global_init();
  curl_ = curl_easy_init();
  if (curl_ == nullptr) return Status::IoError("FTP: falha ao iniciar o cliente");
  curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(curl_, CURLOPT_USERNAME, "anonymous");
  curl_easy_setopt(curl_, CURLOPT_PASSWORD, options_.password.c_str());
  curl_easy_setopt(curl_, CURLOPT_FTPPORT, "-");  // active data connections
  curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options_.connect_timeout_ms));
  curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(options_.reply_timeout_s));
  curl_easy_setopt(curl_, CURLOPT_ACCEPTTIMEOUT_MS, 1000L * options_.reply_timeout_s);
  curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, static_cast<long>(options_.reply_timeout_s));
  curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, error_text_);
  curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, &OnReply);
  curl_easy_setopt(curl_, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(curl_, CURLOPT_SOCKOPTFUNCTION, &OnSocket);
  curl_easy_setopt(curl_, CURLOPT_SOCKOPTDATA, this);
  curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &OnData);
  curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &OnProgress);
  curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
  return Status::Ok();
}

std::string CurlFtpConnection::FolderUrl(const std::vector<std::string>& folder) const {
  std::string url = base_url_;
  for (const std::string& seg : folder) {
    char* escaped = curl_easy_escape(curl_, seg.data(), static_cast<int>(seg.size()));
    url += escaped;
    url += '/';
    curl_free(escaped);
  }
  return url;
}

Status CurlFtpConnection::Perform(const std::string& url, bool body, Sink* sink) {
  if (curl_ == nullptr) return Status::IoError("FTP: conexao nao iniciada");
  curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl_, CURLOPT_NOBODY, body ? 0L : 1L);
  curl_easy_setopt(curl_, CURLOPT_WRITEDATA, sink);
  curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, sink);
  error_text_[0] = '\0';
  socket_error_.clear();
  CURLcode code = curl_easy_perform(curl_);
  if (!sink->local.ok()) return sink->local;
  if (code == CURLE_OK) return Status::Ok();
  std::string text = error_text_[0] != '\0' ? error_text_ : curl_easy_strerror(code);
  if (is_network_error(code)) socket_error_ = text;
  if (code == CURLE_REMOTE_FILE_NOT_FOUND) return Status::NotFound("FTP: " + text);
  return Status::IoError("FTP: " + text);
}

Status CurlFtpConnection::Connect() {
  Close();
  KAV_RETURN_IF_ERROR(SetUp());
  Sink sink;
  return Perform(base_url_, false, &sink);
}

Status CurlFtpConnection::ChangeFolder(std::string_view folder) {
  if (has_control_byte(folder)) return Status::Invalid("FTP: pasta invalida");
  std::vector<std::string> target = folder.starts_with('/') ? std::vector<std::string>() : folder_;
  for (std::string& seg : segments(folder)) target.push_back(std::move(seg));
  Sink sink;
  KAV_RETURN_IF_ERROR(Perform(FolderUrl(target), false, &sink));
  folder_ = std::move(target);
  return Status::Ok();
}

Status CurlFtpConnection::List(std::vector<FtpEntry>* entries) {
  std::string text;
  Sink sink;
  sink.text = &text;
  KAV_RETURN_IF_ERROR(Perform(FolderUrl(folder_), true, &sink));
  *entries = parse_ms_dos_listing(text);
  return Status::Ok();
}

Status CurlFtpConnection::Download(std::string_view name, const std::string& local_folder,
                                   const FtpProgress& progress) {
  if (!is_bare_file_name(name)) {
    return Status::Invalid("FTP: nome de arquivo recusado: " + std::string(name));
  }
  ReplacingFile file(resolve_or_same(local_folder + "/" + std::string(name)));
  KAV_RETURN_IF_ERROR(file.Open());
  Sink sink;
  sink.file = &file;
  sink.progress = &progress;
  char* escaped = curl_easy_escape(curl_, name.data(), static_cast<int>(name.size()));
  std::string url = FolderUrl(folder_) + escaped;
  curl_free(escaped);
  KAV_RETURN_IF_ERROR(Perform(url, true, &sink));
  return file.Commit();
}

void CurlFtpConnection::Close() {
  if (curl_ != nullptr) curl_easy_cleanup(curl_);
  curl_ = nullptr;
  folder_.clear();
}

size_t CurlFtpConnection::OnData(char* p, size_t size, size_t n, void* user) {
  Sink* sink = static_cast<Sink*>(user);
  size_t bytes = size * n;
  if (sink->text != nullptr) {
    sink->text->append(p, bytes);
  } else if (sink->file != nullptr) {
    sink->local = sink->file->Append(std::string_view(p, bytes));
    if (!sink->local.ok()) return 0;  // ends the transfer
  }
  return bytes;
}

size_t CurlFtpConnection::OnReply(char* p, size_t size, size_t n, void* user) {
  auto* self = static_cast<CurlFtpConnection*>(user);
  std::string_view line(p, size * n);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (!line.empty()) self->last_reply_.assign(line);
  return size * n;
}

int CurlFtpConnection::OnProgress(void* user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t,
                                  curl_off_t) {
  Sink* sink = static_cast<Sink*>(user);
  if (sink == nullptr || sink->progress == nullptr || !*sink->progress) return 0;
  if (dlnow == sink->last_received && dltotal == sink->last_total) return 0;
  sink->last_received = dlnow;
  sink->last_total = dltotal;
  (*sink->progress)(dlnow, dltotal);
  return 0;
}

int CurlFtpConnection::OnSocket(void* user, curl_socket_t, curlsocktype) {
  static_cast<CurlFtpConnection*>(user)->socket_created_ = true;
  return CURL_SOCKOPT_OK;
}

class CurlFtp : public Ftp {
 public:
  std::unique_ptr<FtpConnection> Open(const FtpAddress& server,
                                      const FtpOptions& options) override {
    return std::make_unique<CurlFtpConnection>(server, options);
  }
};

}  // namespace

Ftp& curl_ftp() {
  static CurlFtp ftp;
  return ftp;
}

}  // namespace kav
