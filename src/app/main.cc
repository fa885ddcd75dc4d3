// kav32: the outpatient-production processor of the health secretariat.
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/s0000.h"
#include "platform/console_select.h"
#include "shell/shell_state.h"

namespace {

constexpr const char* kVersion = "06.05";

void usage() {
  std::cout << "uso: kav32 [identificacao [senha [funcao]]]\n"
               "     kav32 --version | --help\n"
               "KAV_CONSOLE=script:ARQUIVO le as teclas de um roteiro (veja o README)\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "kav32 " << kVersion << "\n";
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
    usage();
    return 0;
  }
  std::unique_ptr<kav::Console> console;
  kav::Status st = kav::open_console_from_env(&console);
  if (!st.ok()) {
    std::cerr << "kav32: " << st.message() << "\n";
    return 2;
  }
  kav::attach_console(console.get());
  console->set_title("KAV/SUS");
  kav::S0000(std::vector<std::string>(argv + 1, argv + argc));
}
