#include "cadcheck/text_cipher.h"

#include "cadcheck/base64.h"

namespace kav::cadcheck {

std::string encipher_text(std::string_view plain, LeadingBlock lead) {
  std::string bytes;
  stream_encipher(library_transform(), lead, plain, &bytes);
  std::string text;
  base64_encode(bytes, &text);
  return text;
}

bool decipher_text(std::string_view enciphered, std::string* out, std::string* scratch) {
  out->clear();
  return base64_decode(enciphered, scratch) &&
         stream_decipher(library_transform(), *scratch, out);
}

bool decipher_text(std::string_view enciphered, std::string* out) {
  std::string scratch;
  return decipher_text(enciphered, out, &scratch);
}

}  // namespace kav::cadcheck
