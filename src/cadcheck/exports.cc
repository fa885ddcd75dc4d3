// Nothing may cross the C boundary: every export catches everything and
// answers 0 or the empty text. A null pointer counts as the empty text.
#include "cadcheck/exports.h"

#include <string>

#include "cadcheck/kit_file.h"
#include "cadcheck/text_cipher.h"

namespace {

constexpr char kLineEnd[] = "FIM DA LINHA ";
constexpr char kVersion[] = "01.04";

std::string& returned_text() {
  static std::string text;
  return text;
}

const char* or_empty(const char* s) { return s != nullptr ? s : ""; }

}  // namespace

int32_t TESTE_ARQUIVO_CNES(const char* path) {
  try {
    return kav::cadcheck::kit_file_passes(or_empty(path)) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

const char* CPT(const char* text) {
  try {
    std::string& out = returned_text();
    out = kav::cadcheck::encipher_text(or_empty(text), kav::cadcheck::clock_leading_block());
    out += kLineEnd;
    return out.c_str();
  } catch (...) {
    returned_text().clear();
    return "";
  }
}

int32_t VALIDA_STRINGS(const char* enciphered, const char* expected) {
  try {
    std::string plain;
    kav::cadcheck::decipher_text(or_empty(enciphered), &plain);
    return plain == or_empty(expected) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

const char* pcDLLVersion(const char* /*ignored*/) { return kVersion; }
