// Times TESTE_ARQUIVO_CNES over a kit file, called the way kav32 calls it:
// through the loader, with the cadcheck.so beside this program.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/cadcheck_loader.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: cadcheck_bench ARQUIVO_KIT [REPETICOES]\n");
    return 2;
  }
  int repeats = argc > 2 ? std::stoi(argv[2]) : 3;
  std::string folder = std::filesystem::canonical("/proc/self/exe").parent_path().string();
  kav::CadcheckLibrary lib(folder);
  double best = 0;
  for (int i = 0; i < repeats; ++i) {
    int32_t result = -1;
    auto start = std::chrono::steady_clock::now();
    kav::Status st = lib.TestKitFile(argv[1], &result);
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!st.ok() || result != 1) {
      std::fprintf(stderr, "cadcheck_bench: %s result %d\n", st.message().c_str(), result);
      return 1;
    }
    if (i == 0 || took.count() < best) best = took.count();
  }
  std::printf("%.6f\n", best);  // best time in seconds
  return 0;
}
