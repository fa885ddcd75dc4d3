// Starts the terminal probe inside tmux at 80 x 25 and reads the pane back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "command_output.h"

namespace {

using kav::command_output;

const std::string kSocket = "kavtest" + std::to_string(getpid());

std::string tmux(const std::string& args) {
  return command_output("tmux -L " + kSocket + " " + args + " 2>&1");
}

// The pane's text (with colour escapes when `escapes`) once it holds
// `wanted`; gives up after a few hundred tries.
std::string pane_with(const std::string& wanted, bool escapes = false) {
  std::string pane;
  for (int i = 0; i < 400; ++i) {
    pane = tmux(std::string("capture-pane -p ") + (escapes ? "-e " : "") + "-t probe");
    if (pane.find(wanted) != std::string::npos || pane.find("no server running") == 0) break;
    usleep(10000);
  }
  return pane;
}

class TmuxTest : public testing::Test {
 protected:
  void TearDown() override { tmux("kill-server"); }
  void start(int cols, int rows, const std::string& closed = "") {
    const std::string probe = std::string(PROBE_PATH) + " " + closed;
    // The server of the previous test may still be going away: try again
    // until the session is there.
    for (int i = 0; i < 100; ++i) {
      tmux("-f /dev/null new-session -d -s probe -x " + std::to_string(cols) + " -y " +
           std::to_string(rows) + " 'env TERM=tmux-256color LANG=C.UTF-8 " + probe + "'");
      if (tmux("has-session -t probe").empty()) return;
      usleep(20000);
    }
  }
};

TEST_F(TmuxTest, FramedBoxColoursAndKeys) {
  start(80, 25);
  const std::string pane = pane_with(std::string(76, ' ') + "FIM\n");  // the last thing drawn
  EXPECT_EQ(tmux("display-message -p -t probe '#{pane_title}'"), "KAV/SUS\n");
  EXPECT_NE(pane.find("╔═══"), std::string::npos) << pane;
  EXPECT_NE(pane.find("║ CAIXA DE TESTE ÇÃO"), std::string::npos) << pane;
  EXPECT_NE(pane.find("═╝"), std::string::npos) << pane;
  EXPECT_NE(pane.find(std::string(76, ' ') + "FIM\n"), std::string::npos) << pane;
  // Bright white on blue, bright yellow text, a bright red background and
  // the grey shadow.
  const std::string coloured = pane_with("CAIXA", true);
  EXPECT_NE(coloured.find("\033[97m\033[44m╔"), std::string::npos) << coloured;
  EXPECT_NE(coloured.find("\033[93mCAIXA"), std::string::npos) << coloured;
  EXPECT_NE(coloured.find("\033[101mPISCA"), std::string::npos) << coloured;
  EXPECT_NE(coloured.find("║\033[90m\033[40m  "), std::string::npos) << coloured;

  struct Case {
    const char* keys;
    const char* shown;
  } cases[] = {{"F5", "TECLA -4 "},        {"F12", "TECLA -41 "},   {"C-NPage", "TECLA 30 CTRL"},
               {"C-c", "TECLA 3 CTRL"},    {"NPage", "TECLA 3 "},   {"M-NPage", "TECLA 30 CTRL"},
               {"S-F3", "TECLA -12 "}, {"M-PPage", "TECLA 31 CTRL"},
               {"BTab", "TECLA 271 "},     {"M-0", "TECLA -29 CTRL"}, {"Home", "TECLA 1 "},
               {"é", "TECLA 233 "}};
  for (const Case& c : cases) {
    tmux("send-keys -t probe " + std::string(c.keys));
    EXPECT_NE(pane_with(c.shown).find(c.shown), std::string::npos) << c.keys;
  }
  tmux("send-keys -t probe Escape");
  for (int i = 0; i < 400 && tmux("has-session -t probe").empty(); ++i) usleep(10000);
  EXPECT_NE(tmux("has-session -t probe"), "");  // the probe ended on Esc
}

TEST_F(TmuxTest, SmallTerminalGetsANotice) {
  start(60, 20);
  // The notice is complete once its last line is there.
  const std::string pane = pane_with("Tamanho atual: 60 x 20");
  EXPECT_NE(pane.find("Tamanho atual: 60 x 20"), std::string::npos) << pane;
  EXPECT_EQ(pane.find("CAIXA"), std::string::npos);
  tmux("resize-window -t probe -x 80 -y 25");
  EXPECT_NE(pane_with("CAIXA DE TESTE").find("CAIXA DE TESTE"), std::string::npos);
}

TEST_F(TmuxTest, ClosingTheTerminalEndsThroughTheProgram) {
  const std::string closed = testing::TempDir() + "/closed" + std::to_string(getpid());
  std::remove(closed.c_str());
  start(80, 25, closed);
  ASSERT_NE(pane_with("CAIXA DE TESTE").find("CAIXA"), std::string::npos);
  tmux("kill-session -t probe");  // the probe gets SIGHUP
  std::string text;
  for (int i = 0; i < 400 && text.empty(); ++i) {
    usleep(10000);
    if (FILE* f = std::fopen(closed.c_str(), "r")) {
      char buf[16] = {};
      text = std::fgets(buf, sizeof buf, f) ? buf : "";
      std::fclose(f);
    }
  }
  EXPECT_EQ(text, "fechado");
  std::remove(closed.c_str());
}

}  // namespace
