// A kavfix subcommand. Each family of subcommands lives in its own file and
// exposes its entries; main.cc lists them in the dispatch table.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "base/status.h"

namespace kav::kavfix {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;             // arguments after the name
  const char* help;              // what it does and its options, one per line
  int (*run)(const Args& args);  // exit status
};

// The exit status of command `name`: 0 when `st` is ok; else its message
// goes to standard error and the status is 2 for bad arguments, 1 for any
// other failure.
inline int command_status(const char* name, const Status& st) {
  if (st.ok()) return 0;
  std::fprintf(stderr, "kavfix %s: %s\n", name, st.message().c_str());
  return st.code() == Status::Code::kInvalid ? 2 : 1;
}

// Registry kit files (cnes_kit_command.cc).
extern const Command kCnesKitCommand;
// A fresh installation folder (install_command.cc).
extern const Command kInstallCommand;
// The demo folder: an installation with a small reference-table kit
// (demo_command.cc).
extern const Command kDemoCommand;

}  // namespace kav::kavfix
