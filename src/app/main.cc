// kav32: the outpatient-production processor of the health secretariat.
#include <cstring>
#include <iostream>

namespace {

constexpr const char* kVersion = "06.05";

void usage() {
  std::cout << "uso: kav32 [identificacao [senha [funcao]]]\n"
               "     kav32 --version | --help\n";
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
  usage();
  return 2;
}
