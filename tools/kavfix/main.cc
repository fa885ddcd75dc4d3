// kavfix: builds installation folders, the demo and test data for kav32.
#include <cstdio>
#include <cstring>
#include <string>

#include "command.h"

namespace {

using kav::kavfix::Command;

const Command* const kCommands[] = {
    &kav::kavfix::kInstallCommand,
    &kav::kavfix::kDemoCommand,
    &kav::kavfix::kCnesKitCommand,
};

void print_usage(const Command& c) { std::printf("  kavfix %s %s\n%s\n", c.name, c.usage, c.help); }

void print_help() {
  std::printf("uso: kavfix COMANDO [opcoes]\n     kavfix --help | COMANDO --help\n\ncomandos:\n");
  for (const Command* c : kCommands) print_usage(*c);
}

const Command* find_command(const char* name) {
  for (const Command* c : kCommands) {
    if (std::strcmp(c->name, name) == 0) return c;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    print_help();
    return argc < 2 ? 2 : 0;
  }
  const Command* command = find_command(argv[1]);
  if (command == nullptr) {
    std::fprintf(stderr, "kavfix: comando desconhecido: %s\n", argv[1]);
    print_help();
    return 2;
  }
  kav::kavfix::Args args(argv + 2, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    print_usage(*command);
    return 0;
  }
  return command->run(args);
}
