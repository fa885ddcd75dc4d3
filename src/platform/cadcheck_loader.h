// The program's side of cadcheck.so: every call loads the library by its
// full path in the program folder, looks up the export, copies the answer
// and unloads the library again. A missing library or export is an error
// Status, never a crash.
#pragma once

#include <cstdint>
#include <string>

#include "base/status.h"

namespace kav {

class CadcheckLibrary {
 public:
  static constexpr const char* kFileName = "cadcheck.so";

  // The library in `folder`.
  explicit CadcheckLibrary(const std::string& folder);
  // The library in the program folder (the current working directory).
  static CadcheckLibrary InProgramFolder();

  const std::string& path() const { return path_; }
  bool Exists() const;

  // TESTE_ARQUIVO_CNES: 1 when every line of the kit file passes.
  Status TestKitFile(const std::string& kit_path, int32_t* result) const;
  // CPT: the enciphered form of `text` followed by "FIM DA LINHA ".
  Status Encipher(const std::string& text, std::string* out) const;
  // VALIDA_STRINGS: 1 when `enciphered` deciphers to `expected`.
  Status Verify(const std::string& enciphered, const std::string& expected,
                int32_t* result) const;
  // pcDLLVersion.
  Status Version(std::string* out) const;

 private:
  template <typename Fn, typename Use>
  Status Call(const char* name, Use use) const;

  std::string path_;
};

}  // namespace kav
