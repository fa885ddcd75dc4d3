// A kavfix subcommand. Each family of subcommands lives in its own file and
// exposes its entries; main.cc lists them in the dispatch table.
#pragma once

#include <string>
#include <vector>

namespace kav::kavfix {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;  // arguments after the name
  const char* help;   // what it does and its options, one per line
  int (*run)(const Args& args);  // exit status
};

// Registry kit files (cnes_kit_command.cc).
extern const Command kCnesKitCommand;
// A fresh installation folder (install_command.cc).
extern const Command kInstallCommand;
// The demo folder: an installation with a small reference-table kit
// (demo_command.cc).
extern const Command kDemoCommand;

}  // namespace kav::kavfix
