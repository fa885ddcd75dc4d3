// TESTE_ARQUIVO_CNES on file contents. An odd first byte turns the rest into
// body lines of a kit with valid trailers, which must pass; otherwise the
// rest is the file as it is. The answer must never depend on how the file
// is cut into read buffers.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cadcheck/exports.h"
#include "cadcheck/kit_file.h"
#include "cadcheck/text_cipher.h"

namespace {

// A kit whose bodies are the lines of `text`; empty when a sum is too long.
std::string valid_kit(std::string_view text) {
  size_t lines = std::count(text.begin(), text.end(), '\n') +
                 (!text.empty() && text.back() != '\n');
  std::string chain = kav::cadcheck::first_chain_value(lines), kit;
  while (!text.empty()) {
    size_t lf = text.find('\n');
    std::string_view body = text.substr(0, lf);
    std::string sum = kav::cadcheck::trailer_plain_text(body, chain);
    if (sum.size() > 7) return "";
    chain = kav::cadcheck::encipher_text(sum, {1, 2});
    kit.append(body).append(chain).append("\n");
    text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
  }
  return kit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int fd = memfd_create("kit", 0);
  if (fd < 0) std::abort();
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  bool generated = size > 0 && (data[0] & 1);
  if (size > 0) rest.remove_prefix(1);
  std::string content = generated ? valid_kit(rest) : std::string(rest);
  if (generated && content.empty() && !rest.empty()) return 0;
  if (ftruncate(fd, 0) != 0 ||
      pwrite(fd, content.data(), content.size(), 0) != static_cast<ssize_t>(content.size())) {
    std::abort();
  }
  std::string path = "/proc/self/fd/" + std::to_string(fd);
  int32_t whole = TESTE_ARQUIVO_CNES(path.c_str());
  if (whole != 0 && whole != 1) std::abort();
  if (generated && whole != 1) std::abort();
  size_t buffer = 1 + (size > 0 ? data[0] % 61 : 0);
  if (kav::cadcheck::kit_file_passes(path, buffer) != (whole == 1)) std::abort();
  return 0;
}
