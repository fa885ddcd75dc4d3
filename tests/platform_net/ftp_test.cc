// The FTP client: the listing parser, addresses and settings, the libcurl
// client against our pyftpdlib server on 127.0.0.1, and the loopback server.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "temp_dir.h"
#include "test_files.h"
#include "base/replacing_file.h"
#include "platform/ftp_client.h"
#include "platform/ftp_loopback.h"
#include "platform/ftp_settings.h"

extern char** environ;

namespace kav {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names_of(const std::vector<FtpEntry>& entries) {
  std::vector<std::string> out;
  for (const FtpEntry& e : entries) out.push_back(e.name);
  std::sort(out.begin(), out.end());
  return out;
}

// ---- Listing parser --------------------------------------------------------

TEST(FtpListing, ReadsFieldsOfTheMsDosForm) {
  std::vector<FtpEntry> e = parse_ms_dos_listing(
      "01-15-24  02:05PM              1234567 KAV0606.EXE\r\n"
      "12-31-99  12:00AM       <DIR>          LOGS\r\n"
      "07-04-2023  12:30PM                 0 TerceirosBrasil_202306.zip\r\n"
      "02-29-24  11:59am                   42 name with  blanks.txt\n");
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].name, "KAV0606.EXE");
  EXPECT_FALSE(e[0].is_folder);
  EXPECT_EQ(e[0].size, 1234567);
  EXPECT_EQ(e[0].modified.date.text(), "20240115");
  EXPECT_EQ(e[0].modified.hour, 14);
  EXPECT_EQ(e[0].modified.minute, 5);
  EXPECT_EQ(e[1].name, "LOGS");
  EXPECT_TRUE(e[1].is_folder);
  EXPECT_EQ(e[1].modified.date.text(), "20991231");
  EXPECT_EQ(e[1].modified.hour, 0);  // 12 AM
  EXPECT_EQ(e[2].modified.date.text(), "20230704");
  EXPECT_EQ(e[2].modified.hour, 12);  // 12 PM
  EXPECT_EQ(e[2].size, 0);
  EXPECT_EQ(e[3].name, "name with  blanks.txt");
  EXPECT_EQ(e[3].modified.hour, 11);
}

TEST(FtpListing, SkipsShortOddAndUnsafeLines) {
  const char* lines[] = {
      "",
      "total 12",
      "01-15-24",
      "01-15-24  02:05PM",
      "01-15-24  02:05PM              1234567",
      "01-15-24  02:05PM              1234567   ",
      "13-15-24  02:05PM              1 BADMONTH",
      "02-30-24  02:05PM              1 BADDAY",
      "1-15-24  02:05PM               1 SHORTDATE",
      "01-15-24  13:05PM              1 BADHOUR",
      "01-15-24  00:05AM              1 HOURZERO",
      "01-15-24  02:60PM              1 BADMINUTE",
      "01-15-24  02:05XM              1 BADHALF",
      "01-15-24  02:05PM             1x BADSIZE",
      "01-15-24  02:05PM   -1 NEGATIVE",
      "01-15-24  02:05PM  1234567890123456789 HUGE",
      "-rw-r--r--   1 ftp ftp  7045120 Sep 02  3:47 unix.txt",
      "01-15-24  02:05PM              1 ../evil.zip",
      "01-15-24  02:05PM              1 ..",
      "01-15-24  02:05PM              1 .",
      "01-15-24  02:05PM              1 sub/evil.zip",
      "01-15-24  02:05PM              1 sub\\evil.zip",
      "01-15-24  02:05PM              1 bell\x07.zip",
  };
  for (const char* line : lines) {
    EXPECT_TRUE(parse_ms_dos_listing(line).empty()) << line;
  }
  std::string all;
  for (const char* line : lines) all += std::string(line) + "\r\n";
  all += "01-15-24  02:05PM              7 GOOD.ZIP\r\n";
  EXPECT_EQ(names_of(parse_ms_dos_listing(all)), std::vector<std::string>{"GOOD.ZIP"});
}

TEST(FtpListing, WrittenLinesPutTheNameAtColumn40AndReadBack) {
  Date d = *Date::from_ymd(2024, 3, 9);
  for (FtpEntry in : {FtpEntry{"BDKAV202403a.EXE", false, 987654, DateTime{d, 0, 7, 0}},
                      FtpEntry{"cnes", true, 0, DateTime{d, 23, 59, 0}},
                      FtpEntry{"X", false, 123456789012LL, DateTime{d, 12, 0, 0}}}) {
    std::string line = ms_dos_listing_line(in);
    EXPECT_EQ(line.substr(39), in.name) << line;
    std::vector<FtpEntry> out = parse_ms_dos_listing(line);
    ASSERT_EQ(out.size(), 1u) << line;
    EXPECT_EQ(out[0].name, in.name);
    EXPECT_EQ(out[0].is_folder, in.is_folder);
    EXPECT_EQ(out[0].size, in.size);
    EXPECT_EQ(out[0].modified.date, in.modified.date);
    EXPECT_EQ(out[0].modified.hour, in.modified.hour);
    EXPECT_EQ(out[0].modified.minute, in.modified.minute);
  }
}

// ---- Addresses and settings ------------------------------------------------

TEST(FtpAddress, ParsesOrSaysWhy) {
  struct Case {
    const char* text;
    FtpAddressCheck check;
    const char* host;
    int port;
    const char* folder;
  };
  const Case cases[] = {
      {"ftp://ftp.example.com.br/cnes/", FtpAddressCheck::kOk, "ftp.example.com.br", 21, "/cnes/"},
      {"FTP://127.0.0.1:2121/kavsus/KAV/", FtpAddressCheck::kOk, "127.0.0.1", 2121, "/kavsus/KAV/"},
      {"ftp://host", FtpAddressCheck::kOk, "host", 21, "/"},
      {"http://host/cnes/", FtpAddressCheck::kNotFtp, "", 0, ""},
      {"ftps://host/", FtpAddressCheck::kNotFtp, "", 0, ""},
      {"", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"host/cnes/", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"://host/", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"ftp:///cnes/", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"ftp://host:0/", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"ftp://host:65536/", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"ftp://host:21x/", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"ftp://user@host/", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"ftp://host/a b/", FtpAddressCheck::kUnparsable, "", 0, ""},
      {"ftp://host/a\r\nDELE x/", FtpAddressCheck::kUnparsable, "", 0, ""},
  };
  for (const Case& c : cases) {
    FtpAddress a;
    EXPECT_EQ(parse_ftp_address(c.text, &a), c.check) << c.text;
    if (c.check != FtpAddressCheck::kOk) continue;
    EXPECT_EQ(a.host, c.host) << c.text;
    EXPECT_EQ(a.port, c.port) << c.text;
    EXPECT_EQ(a.folder, c.folder) << c.text;
  }
}

TEST(FtpSettings, DefaultsWorkAndTheFileOverridesThem) {
  TempDir dir;
  FtpSettings s;
  ASSERT_TRUE(read_ftp_settings(dir.path(), &s).ok());
  EXPECT_EQ(s.options.connect_timeout_ms, 20000);
  EXPECT_EQ(s.options.reply_timeout_s, 60);
  for (const std::string& text : {s.cnes, s.kav, s.bdverkav, s.fornec, s.logcarga}) {
    FtpAddress a;
    EXPECT_EQ(parse_ftp_address(text, &a), FtpAddressCheck::kOk) << text;
  }

  write(dir / "kavftp.cfg",
        "# local mirror\r\n"
        "\n"
        "cnes = ftp://127.0.0.1:2121/cnes/\r\n"
        "Connect_Timeout_MS=500\n"
        "PASSWORD=guest@\n");
  ASSERT_TRUE(read_ftp_settings(dir.path(), &s).ok());
  EXPECT_EQ(s.cnes, "ftp://127.0.0.1:2121/cnes/");
  EXPECT_EQ(s.kav, FtpSettings().kav);
  EXPECT_EQ(s.options.connect_timeout_ms, 500);
  EXPECT_EQ(s.options.reply_timeout_s, 60);
  EXPECT_EQ(s.options.password, "guest@");
}

TEST(FtpSettings, BadLinesAreReportedAndLeaveTheDefaults) {
  for (const char* bad : {"HOST=ftp://x/\n", "CNES ftp://x/\n", "CONNECT_TIMEOUT_MS=0\n",
                          "REPLY_TIMEOUT_S=abc\n", "CONNECT_TIMEOUT_MS=9999999999\n"}) {
    TempDir dir;
    write(dir / FtpSettings::kFileName, std::string("KAV=ftp://y/\n") + bad);
    FtpSettings s;
    Status st = read_ftp_settings(dir.path(), &s);
    EXPECT_TRUE(st.is_corrupt()) << bad;
    EXPECT_NE(st.message().find("linha 2"), std::string::npos) << st.message();
    EXPECT_EQ(s.kav, FtpSettings().kav) << bad;
  }
}

// ---- The libcurl client against pyftpdlib ----------------------------------

// Our pyftpdlib server on a free port of 127.0.0.1, killed on destruction.
class FtpServer {
 public:
  explicit FtpServer(const std::string& root, std::vector<std::string> flags = {}) {
    std::vector<std::string> args = {KAV_PYTHON3, KAV_SOURCE_DIR "/tests/platform_net/ftp_server.py",
                                     root};
    args.insert(args.end(), flags.begin(), flags.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    port_ = read_port(out[0]);
    ::close(out[0]);
  }
  ~FtpServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  // 0 when the server did not start within ten seconds.
  int port() const { return port_; }
  FtpAddress address() const { return FtpAddress{"127.0.0.1", port_, "/"}; }

 private:
  static int read_port(int fd) {
    std::string text;
    char buf[64];
    while (text.find('\n') == std::string::npos) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 10000) <= 0) return 0;
      ssize_t n = ::read(fd, buf, sizeof buf);
      if (n <= 0) return 0;
      text.append(buf, static_cast<size_t>(n));
    }
    return std::atoi(text.c_str());
  }

  pid_t pid_ = -1;
  int port_ = 0;
};

FtpOptions quick_options() {
  FtpOptions o;
  o.connect_timeout_ms = 2000;
  o.reply_timeout_s = 5;
  return o;
}

class CurlFtpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(server_root_ / "cnes/sub");
    write(server_root_ / "cnes/TerceirosBrasil_202401.zip", payload_);
    write(server_root_ / "cnes/empty.txt", "");
    write(server_root_ / "extra.txt",
          "01-15-24  02:05PM                    1 ../../evil.zip\n"
          "01-15-24  02:05PM                    1 sub/evil.zip\n"
          "this line is odd\n"
          "01-15-24  02:05PM                  1\n");
  }

  std::unique_ptr<FtpConnection> connect(const FtpServer& server) {
    std::unique_ptr<FtpConnection> c = curl_ftp().Open(server.address(), quick_options());
    Status st = c->Connect();
    EXPECT_TRUE(st.ok()) << st.message();
    return c;
  }

  TempDir server_root_;
  TempDir local_;
  std::string payload_ = [] {
    std::string s;
    for (int i = 0; i < 300000; ++i) s.push_back(static_cast<char>(i * 7 % 251));
    return s;
  }();
};

TEST_F(CurlFtpTest, ListsTheFolderInActiveModeAndKeepsItsPlaceAfterARefusedChange) {
  FtpServer server(server_root_.path(), {"--extra-lines", server_root_ / "extra.txt"});
  ASSERT_NE(server.port(), 0);
  std::unique_ptr<FtpConnection> c = connect(server);
  EXPECT_TRUE(c->last_reply().starts_with("2")) << c->last_reply();

  ASSERT_TRUE(c->ChangeFolder("/cnes/").ok()) << c->last_reply();
  std::vector<FtpEntry> entries;
  ASSERT_TRUE(c->List(&entries).ok()) << c->socket_error();
  // The odd and the unsafe lines added by the server are left out.
  ASSERT_EQ(names_of(entries),
            (std::vector<std::string>{"TerceirosBrasil_202401.zip", "empty.txt", "sub"}));
  for (const FtpEntry& e : entries) {
    EXPECT_EQ(e.is_folder, e.name == "sub") << e.name;
    if (e.name == "TerceirosBrasil_202401.zip") {
      EXPECT_EQ(e.size, 300000);
    }
  }

  Status st = c->ChangeFolder("nowhere");
  EXPECT_FALSE(st.ok());
  EXPECT_TRUE(c->last_reply().starts_with("550")) << c->last_reply();
  EXPECT_EQ(c->socket_error(), "");
  ASSERT_TRUE(c->ChangeFolder("sub").ok()) << c->last_reply();  // relative to /cnes
  ASSERT_TRUE(c->List(&entries).ok());
  EXPECT_TRUE(entries.empty());
}

TEST_F(CurlFtpTest, DownloadsWithProgressAndReplacesAnOlderCopy) {
  FtpServer server(server_root_.path());
  ASSERT_NE(server.port(), 0);
  std::unique_ptr<FtpConnection> c = connect(server);
  ASSERT_TRUE(c->ChangeFolder("cnes").ok());
  write(local_ / "terceirosbrasil_202401.ZIP", "old copy");  // replaced under its spelling

  std::vector<std::pair<int64_t, int64_t>> seen;
  Status st = c->Download("TerceirosBrasil_202401.zip", local_.path(),
                          [&](int64_t got, int64_t total) { seen.emplace_back(got, total); });
  ASSERT_TRUE(st.ok()) << st.message() << " / " << c->last_reply();
  EXPECT_EQ(read(local_ / "terceirosbrasil_202401.ZIP"), payload_);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back().first, 300000);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i].first, seen[i - 1].first);

  ASSERT_TRUE(c->Download("empty.txt", local_.path(), nullptr).ok());
  EXPECT_EQ(read(local_ / "empty.txt"), "");
  EXPECT_EQ(local_.names(), (std::vector<std::string>{"empty.txt", "terceirosbrasil_202401.ZIP"}));

  // A missing file: the server's refusal, no file left behind.
  st = c->Download("absent.zip", local_.path(), nullptr);
  EXPECT_FALSE(st.ok());
  EXPECT_TRUE(c->last_reply().starts_with("550")) << c->last_reply();
  EXPECT_EQ(local_.names().size(), 2u);
}

TEST_F(CurlFtpTest, RefusesNamesThatWouldLeaveTheFolder) {
  FtpServer server(server_root_.path());
  ASSERT_NE(server.port(), 0);
  write(server_root_ / "secret.txt", "server file");
  std::unique_ptr<FtpConnection> c = connect(server);
  ASSERT_TRUE(c->ChangeFolder("cnes/sub").ok());
  fs::create_directories(local_ / "in");
  for (const char* name : {"../../secret.txt", "../secret.txt", "sub/x", "..", "", "a\\b",
                           "x\r\nDELE y"}) {
    Status st = c->Download(name, local_ / "in", nullptr);
    EXPECT_EQ(st.code(), Status::Code::kInvalid) << name;
  }
  EXPECT_EQ(local_.names(), std::vector<std::string>{"in"});
  EXPECT_TRUE(fs::is_empty(local_ / "in"));
}

TEST_F(CurlFtpTest, ARefusedLoginIsTheServersReply) {
  FtpServer server(server_root_.path(), {"--refuse-login"});
  ASSERT_NE(server.port(), 0);
  std::unique_ptr<FtpConnection> c = curl_ftp().Open(server.address(), quick_options());
  EXPECT_FALSE(c->Connect().ok());
  EXPECT_TRUE(c->last_reply().starts_with("530")) << c->last_reply();
  EXPECT_EQ(c->socket_error(), "");
  EXPECT_TRUE(c->socket_created());
  std::vector<FtpEntry> entries;
  EXPECT_FALSE(c->List(&entries).ok());
}

// A port that accepts connections (the kernel completes them) but never
// answers: the connection time-out ends the wait.
TEST(CurlFtp, NetworkFailuresCarryTheSocketErrorText) {
  int mute = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(mute, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::listen(mute, 4), 0);
  socklen_t len = sizeof addr;
  ::getsockname(mute, reinterpret_cast<sockaddr*>(&addr), &len);
  int mute_port = ntohs(addr.sin_port);

  int closed = ::socket(AF_INET, SOCK_STREAM, 0);  // bound, not listening: refused
  sockaddr_in addr2{};
  addr2.sin_family = AF_INET;
  addr2.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(closed, reinterpret_cast<sockaddr*>(&addr2), sizeof addr2), 0);
  len = sizeof addr2;
  ::getsockname(closed, reinterpret_cast<sockaddr*>(&addr2), &len);
  int closed_port = ntohs(addr2.sin_port);

  struct Case {
    FtpAddress server;
    bool socket_created;
  };
  const Case cases[] = {
      {{"127.0.0.1", mute_port, "/"}, true},
      {{"127.0.0.1", closed_port, "/"}, true},
      {{"no-such-host.invalid", 21, "/"}, false},
  };
  FtpOptions options;
  options.connect_timeout_ms = 300;
  options.reply_timeout_s = 1;
  for (const Case& c : cases) {
    std::unique_ptr<FtpConnection> conn = curl_ftp().Open(c.server, options);
    EXPECT_FALSE(conn->Connect().ok()) << c.server.host << ":" << c.server.port;
    EXPECT_NE(conn->socket_error(), "") << c.server.host << ":" << c.server.port;
    EXPECT_EQ(conn->last_reply(), "");
    EXPECT_EQ(conn->socket_created(), c.socket_created) << c.server.host;
  }
  ::close(mute);
  ::close(closed);
}

TEST_F(CurlFtpTest, AStalledDownloadLeavesTheOldFileAndNoTemporary) {
  FtpServer server(server_root_.path(), {"--stall-after", "1000"});
  ASSERT_NE(server.port(), 0);
  FtpOptions options = quick_options();
  options.reply_timeout_s = 1;
  std::unique_ptr<FtpConnection> c = curl_ftp().Open(server.address(), options);
  ASSERT_TRUE(c->Connect().ok());
  ASSERT_TRUE(c->ChangeFolder("cnes").ok());
  write(local_ / "TerceirosBrasil_202401.zip", "old copy");
  Status st = c->Download("TerceirosBrasil_202401.zip", local_.path(), nullptr);
  EXPECT_FALSE(st.ok());
  EXPECT_NE(c->socket_error(), "");
  EXPECT_EQ(read(local_ / "TerceirosBrasil_202401.zip"), "old copy");
  EXPECT_EQ(local_.names(), std::vector<std::string>{"TerceirosBrasil_202401.zip"});
}

// ---- The loopback server -----------------------------------------------------

TEST(LoopbackFtp, ServesAFolderLikeAServer) {
  TempDir root, local;
  fs::create_directories(root / "cnes");
  write(root / "cnes/KAV0606.EXE", "program");
  LoopbackFtp ftp(root.path());
  ScopedFtp scoped(&ftp);

  std::unique_ptr<FtpConnection> c = current_ftp().Open({"ftp.example", 21, "/"}, FtpOptions());
  ASSERT_TRUE(c->Connect().ok());
  EXPECT_FALSE(c->ChangeFolder("../..").ok());
  EXPECT_TRUE(c->last_reply().starts_with("550"));
  ASSERT_TRUE(c->ChangeFolder("/cnes/").ok());
  std::vector<FtpEntry> entries;
  ASSERT_TRUE(c->List(&entries).ok());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "KAV0606.EXE");
  EXPECT_EQ(entries[0].size, 7);
  int64_t last = 0;
  ASSERT_TRUE(c->Download("KAV0606.EXE", local.path(), [&](int64_t got, int64_t) { last = got; })
                  .ok());
  EXPECT_EQ(last, 7);
  EXPECT_EQ(read(local / "KAV0606.EXE"), "program");
  EXPECT_EQ(c->Download("../KAV0606.EXE", local.path(), nullptr).code(), Status::Code::kInvalid);
  EXPECT_EQ(ftp.hosts(), std::vector<std::string>{"ftp.example"});

  ftp.set_mode(LoopbackFtp::Mode::kBreakDownloads);
  c = current_ftp().Open({"ftp.example", 21, "/"}, FtpOptions());
  ASSERT_TRUE(c->Connect().ok());
  ASSERT_TRUE(c->ChangeFolder("cnes").ok());
  write(local / "KAV0606.EXE", "older");
  EXPECT_FALSE(c->Download("KAV0606.EXE", local.path(), nullptr).ok());
  EXPECT_NE(c->socket_error(), "");
  EXPECT_EQ(read(local / "KAV0606.EXE"), "older");
  EXPECT_EQ(local.names(), std::vector<std::string>{"KAV0606.EXE"});

  ftp.set_mode(LoopbackFtp::Mode::kRefuseLogin);
  c = current_ftp().Open({"ftp.example", 21, "/"}, FtpOptions());
  EXPECT_FALSE(c->Connect().ok());
  EXPECT_TRUE(c->last_reply().starts_with("530"));
  EXPECT_EQ(c->socket_error(), "");

  ftp.set_mode(LoopbackFtp::Mode::kUnreachable);
  c = current_ftp().Open({"ftp.example", 21, "/"}, FtpOptions());
  EXPECT_FALSE(c->Connect().ok());
  EXPECT_NE(c->socket_error(), "");
  EXPECT_EQ(c->last_reply(), "");
}

}  // namespace
}  // namespace kav
