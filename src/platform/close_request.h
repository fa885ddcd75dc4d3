// A request to end the program from outside its flow: the terminal window
// closed (SIGHUP), the process asked to end (SIGTERM), a test script run
// out of keys. It only sets a flag; the keyboard hands it to the program at
// its next wait, where the tables can be closed in order.
#pragma once

namespace kav {

// Installs the handlers of SIGHUP and SIGTERM (without restarting reads, so
// a wait for a key returns).
void watch_close_signals();
bool close_requested();
// The exit status the program should end with.
int close_exit_code();
void request_close(int exit_code);

}  // namespace kav
