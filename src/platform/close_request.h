// The terminal window being closed (SIGHUP) or the process asked to end
// (SIGTERM): the signal only sets a flag, and the keyboard hands the
// request to the program at its next wait, where the tables can be closed
// in order.
#pragma once

namespace kav {

// Installs the handlers of SIGHUP and SIGTERM (without restarting reads, so
// a wait for a key returns).
void watch_close_signals();
bool close_requested();
// For tests: as if the signal had come.
void request_close();

}  // namespace kav
