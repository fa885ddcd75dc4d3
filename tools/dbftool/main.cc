// dbftool: inspects and edits dBASE tables and NTX indexes from the shell.
#include <cstdio>
#include <cstring>

#include "command.h"

namespace {

using kav::dbftool::Command;

const Command* const kCommands[] = {
    &kav::dbftool::kCreateCommand, &kav::dbftool::kInfoCommand,  &kav::dbftool::kAppendCommand,
    &kav::dbftool::kDumpCommand,   &kav::dbftool::kIndexCommand, &kav::dbftool::kSeekCommand,
    &kav::dbftool::kDeleteCommand, &kav::dbftool::kRecallCommand, &kav::dbftool::kPackCommand,
    &kav::dbftool::kCheckCommand,
};

void print_usage(FILE* out, const Command& c) {
  std::fprintf(out, "  dbftool %s %s\n    %s\n", c.name, c.usage, c.help);
}

void print_help(FILE* out) {
  std::fprintf(out, "uso: dbftool COMANDO argumentos\n\ncomandos:\n");
  for (const Command* c : kCommands) print_usage(out, *c);
}

const Command* find_command(const char* name) {
  for (const Command* c : kCommands)
    if (std::strcmp(c->name, name) == 0) return c;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    print_help(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  const Command* command = find_command(argv[1]);
  if (command == nullptr) {
    std::fprintf(stderr, "dbftool: comando desconhecido: %s\n", argv[1]);
    print_help(stderr);
    return 2;
  }
  kav::dbftool::Args args(argv + 2, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    print_usage(stdout, *command);
    return 0;
  }
  return command->run(args);
}
