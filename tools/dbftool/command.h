// A dbftool subcommand. Each family of subcommands lives in its own file and
// exposes its entries; main.cc lists them in the dispatch table.
#pragma once

#include <string>
#include <vector>

namespace kav::dbftool {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;  // arguments after the name
  const char* help;   // what it does, one line
  int (*run)(const Args& args);  // exit status
};

// table_commands.cc
extern const Command kCreateCommand, kInfoCommand, kAppendCommand, kDeleteCommand,
    kRecallCommand, kPackCommand;
// read_commands.cc
extern const Command kDumpCommand, kSeekCommand;
// index_commands.cc
extern const Command kIndexCommand, kCheckCommand;

}  // namespace kav::dbftool
