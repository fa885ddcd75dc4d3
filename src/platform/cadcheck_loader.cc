#include "platform/cadcheck_loader.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace kav {

namespace {

using TestKitFileFn = int32_t (*)(const char*);
using EncipherFn = const char* (*)(const char*);
using VerifyFn = int32_t (*)(const char*, const char*);
using VersionFn = const char* (*)(const char*);

// Texts cross as zero-terminated strings; an inner NUL would cut them.
Status check_text(const std::string& text) {
  if (text.find('\0') != std::string::npos) {
    return Status::Invalid("texto com caractere nulo para cadcheck.so");
  }
  return Status::Ok();
}

class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path)
      : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~LoadedLibrary() {
    if (handle_ != nullptr) ::dlclose(handle_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  void* Find(const char* name) const { return ::dlsym(handle_, name); }

 private:
  void* handle_;
};

}  // namespace

CadcheckLibrary::CadcheckLibrary(const std::string& folder) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(folder, ec);
  path_ = ((ec ? std::filesystem::path(folder) : full) / kFileName).string();
}

CadcheckLibrary CadcheckLibrary::InProgramFolder() {
  std::error_code ec;
  std::filesystem::path cwd = std::filesystem::current_path(ec);
  return CadcheckLibrary(ec ? std::string(".") : cwd.string());
}

bool CadcheckLibrary::Exists() const {
  struct stat st;
  return ::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

template <typename Fn, typename Use>
Status CadcheckLibrary::Call(const char* name, Use use) const {
  if (!Exists()) return Status::NotFound(std::string("Arquivo ") + kFileName + " nao encontrado");
  LoadedLibrary lib(path_);
  if (!lib.loaded()) {
    const char* why = ::dlerror();
    return Status::IoError(std::string(kFileName) + " nao pode ser carregado: " +
                           (why != nullptr ? why : "?"));
  }
  auto fn = reinterpret_cast<Fn>(lib.Find(name));
  if (fn == nullptr) {
    return Status::NotFound(std::string("Funcao ") + name + " nao encontrada em " + kFileName);
  }
  return use(fn);
}

Status CadcheckLibrary::TestKitFile(const std::string& kit_path, int32_t* result) const {
  KAV_RETURN_IF_ERROR(check_text(kit_path));
  return Call<TestKitFileFn>("TESTE_ARQUIVO_CNES", [&](TestKitFileFn fn) {
    *result = fn(kit_path.c_str());
    return Status::Ok();
  });
}

Status CadcheckLibrary::Encipher(const std::string& text, std::string* out) const {
  KAV_RETURN_IF_ERROR(check_text(text));
  return Call<EncipherFn>("CPT", [&](EncipherFn fn) {
    const char* answer = fn(text.c_str());
    if (answer == nullptr) return Status::Corrupt("CPT sem resposta");
    out->assign(answer);  // the text belongs to the library: copy before unloading
    return Status::Ok();
  });
}

Status CadcheckLibrary::Verify(const std::string& enciphered, const std::string& expected,
                               int32_t* result) const {
  KAV_RETURN_IF_ERROR(check_text(enciphered));
  KAV_RETURN_IF_ERROR(check_text(expected));
  return Call<VerifyFn>("VALIDA_STRINGS", [&](VerifyFn fn) {
    *result = fn(enciphered.c_str(), expected.c_str());
    return Status::Ok();
  });
}

Status CadcheckLibrary::Version(std::string* out) const {
  return Call<VersionFn>("pcDLLVersion", [&](VersionFn fn) {
    const char* answer = fn("nada");
    if (answer == nullptr) return Status::Corrupt("pcDLLVersion sem resposta");
    out->assign(answer);
    return Status::Ok();
  });
}

}  // namespace kav
