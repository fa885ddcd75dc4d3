// VALIDA_STRINGS on arbitrary texts, and CPT followed by VALIDA_STRINGS,
// which must always verify. The input is "enciphered NUL expected".
#include <cstdlib>
#include <cstring>
#include <string>

#include "cadcheck/exports.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t nul = input.find('\0');
  std::string first = input.substr(0, nul);
  std::string second = nul == std::string::npos ? "" : input.substr(nul + 1);
  second = second.substr(0, second.find('\0'));

  int32_t r = VALIDA_STRINGS(first.c_str(), second.c_str());
  if (r != 0 && r != 1) std::abort();

  std::string enciphered = CPT(first.c_str());
  const char kEnd[] = "FIM DA LINHA ";
  size_t end = enciphered.size() - (sizeof kEnd - 1);
  if (enciphered.size() < sizeof kEnd - 1 || enciphered.compare(end, std::string::npos, kEnd) != 0)
    std::abort();
  if (VALIDA_STRINGS(enciphered.substr(0, end).c_str(), first.c_str()) != 1) std::abort();
  return 0;
}
