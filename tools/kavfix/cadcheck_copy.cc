#include "cadcheck_copy.h"

#include <filesystem>
#include <system_error>

#include "base/replacing_file.h"

namespace kav::kavfix {

namespace fs = std::filesystem;

Status running_program_folder(std::string* folder) {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return Status::IoError("programa em execucao nao localizado: " + ec.message());
  *folder = exe.parent_path().string();
  return Status::Ok();
}

Status copy_cadcheck(const std::string& from_folder, const std::string& to_folder) {
  std::string source = (fs::path(from_folder) / kCadcheckFile).string();
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) {
    return Status::NotFound(std::string("Arquivo ") + kCadcheckFile + " nao encontrado em " +
                            from_folder);
  }
  std::string content;
  KAV_RETURN_IF_ERROR(read_file(source, &content));
  return replace_file_contents((fs::path(to_folder) / kCadcheckFile).string(), content);
}

Status install_cadcheck(const std::string& to_folder) {
  std::string from;
  KAV_RETURN_IF_ERROR(running_program_folder(&from));
  return copy_cadcheck(from, to_folder);
}

}  // namespace kav::kavfix
