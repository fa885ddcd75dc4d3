#include "platform/close_request.h"

#include <signal.h>

namespace kav {

namespace {

volatile sig_atomic_t g_close = 0;
volatile sig_atomic_t g_code = 0;

void on_signal(int) {
  g_code = 1;
  g_close = 1;
}

}  // namespace

void watch_close_signals() {
  struct sigaction sa = {};
  sa.sa_handler = on_signal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;
  sigaction(SIGHUP, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
}

bool close_requested() { return g_close != 0; }

int close_exit_code() { return g_code; }

void request_close(int exit_code) {
  g_code = exit_code;
  g_close = 1;
}

}  // namespace kav
