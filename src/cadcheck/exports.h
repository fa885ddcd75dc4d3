// The four functions of cadcheck.so, called by name from the program.
// Texts are zero-terminated 8-bit strings; a returned text belongs to the
// library and stays valid until the next call into it.
#pragma once

#include <cstdint>

#define CADCHECK_EXPORT __attribute__((visibility("default")))

extern "C" {

// 1 when every line of the kit file at `path` carries its chained trailer.
CADCHECK_EXPORT int32_t TESTE_ARQUIVO_CNES(const char* path);

// The enciphered form of `text` followed by "FIM DA LINHA ".
CADCHECK_EXPORT const char* CPT(const char* text);

// 1 when `enciphered` deciphers to exactly `expected`; an undecipherable
// text counts as the empty text.
CADCHECK_EXPORT int32_t VALIDA_STRINGS(const char* enciphered, const char* expected);

// The library version, "01.04"; the argument is ignored.
CADCHECK_EXPORT const char* pcDLLVersion(const char* ignored);

}  // extern "C"
