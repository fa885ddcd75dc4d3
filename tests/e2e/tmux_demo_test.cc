// kav32 on the terminal backend inside tmux (80 x 25), on the demo folder:
// log in, leave through "Saída"; and SIGTERM at the menu closing the tables
// in order.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "base/replacing_file.h"
#include "store/array_file.h"
#include "command_output.h"
#include "temp_dir.h"

namespace kav {
namespace {


class TmuxDemo : public testing::Test {
 protected:
  TmuxDemo() : socket_("kavdemo" + std::to_string(getpid())), folder_(dir_ / "demo") {
    const std::string kavfix = std::string(KAV_BIN_DIR) + "/kavfix demo '" + folder_ + "' >/dev/null";
    EXPECT_EQ(std::system(kavfix.c_str()), 0);
  }
  ~TmuxDemo() override { tmux("kill-server"); }

  std::string tmux(const std::string& args) { return command_output("tmux -L " + socket_ + " " + args + " 2>&1"); }

  // Starts kav32 in the demo folder; the pane stays after it ends, to give
  // its exit status.
  void start() {
    const std::string launcher = dir_ / "run.sh";
    ASSERT_TRUE(replace_file_contents(launcher, "cd '" + folder_ +
                                                    "' && exec env TERM=tmux-256color LANG=C.UTF-8 '" +
                                                    KAV_BIN_DIR + "/kav32'\n")
                    .ok());
    // A server that is still going away refuses the session: try again.
    for (int i = 0; i < 100; ++i) {
      tmux("-f /dev/null new-session -d -s kav -x 80 -y 25 'sh " + launcher + "'");
      if (tmux("has-session -t kav").empty()) break;
      usleep(20000);
    }
    tmux("set-option -t kav remain-on-exit on");
  }

  // Waits until the pane shows `wanted`; answers the pane.
  std::string pane_with(const std::string& wanted) {
    std::string pane;
    for (int i = 0; i < 500; ++i) {
      pane = tmux("capture-pane -p -t kav");
      if (pane.find(wanted) != std::string::npos) break;
      usleep(10000);
    }
    return pane;
  }
  void keys(const std::string& k) { tmux("send-keys -t kav " + k); }

  // The pid of the program in the pane.
  int program_pid() { return std::stoi(tmux("display-message -p -t kav '#{pane_pid}'")); }

  // Waits until the process has ended (gone, or a zombie tmux has not
  // reaped yet).
  static bool ended(int pid) {
    for (int i = 0; i < 500; ++i) {
      std::string stat;
      if (!read_file("/proc/" + std::to_string(pid) + "/stat", &stat).ok()) return true;
      const size_t paren = stat.rfind(')');
      if (paren != std::string::npos && stat.compare(paren + 1, 3, " Z ") == 0) return true;
      usleep(10000);
    }
    return false;
  }

  void log_in() {
    ASSERT_NE(pane_with("Apac(s)!").find("Apac(s)!"), std::string::npos);
    keys("Space");
    ASSERT_NE(pane_with("IDENTIFICAÇÃO : ").find("IDENTIFICAÇÃO"), std::string::npos);
    keys("A Enter");
    ASSERT_NE(pane_with("SENHA : ").find("SENHA"), std::string::npos);
    keys("K Enter");
    ASSERT_NE(pane_with("MENU INICIAL").find("Saída"), std::string::npos);
  }

  TempDir dir_;
  std::string socket_;
  std::string folder_;
};

TEST_F(TmuxDemo, LogsInAndLeaves) {
  start();
  log_in();
  const int pid = program_pid();
  keys("Left Enter");
  ASSERT_TRUE(ended(pid));
  // The exit screen stays on the terminal.
  EXPECT_NE(pane_with("Encerramento").find("Encerramento da execução do KAV/SUS"), std::string::npos);
}

TEST_F(TmuxDemo, TerminationAndHangUpCloseTheTablesInOrder) {
  for (int signal : {SIGTERM, SIGHUP}) {
    start();
    log_in();
    // Without stamps the next start would rebuild every index: the orderly
    // close writes them again.
    ASSERT_TRUE(replace_file_contents(folder_ + "/S_CARTEM.DBI", "A   0").ok());
    const int pid = program_pid();
    ASSERT_EQ(::kill(pid, signal), 0);
    ASSERT_TRUE(ended(pid)) << signal;
    ArrayList stamps;
    ASSERT_TRUE(RESTARRAY(folder_ + "/S_CARTEM.DBI", &stamps).ok()) << signal;
    EXPECT_EQ(stamps.size(), 56u) << signal;
    tmux("kill-session -t kav");
  }
}

}  // namespace
}  // namespace kav
