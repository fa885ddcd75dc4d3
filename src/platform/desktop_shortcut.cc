#include "platform/desktop_shortcut.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "base/replacing_file.h"

namespace kav {

namespace {

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v == nullptr ? "" : v;
}

// XDG_DESKTOP_DIR="$HOME/Desktop" of user-dirs.dirs, with $HOME expanded.
std::string user_dirs_desktop(const std::string& home) {
  std::string config = env("XDG_CONFIG_HOME");
  if (config.empty()) config = home + "/.config";
  std::ifstream in(config + "/user-dirs.dirs");
  const std::string key = "XDG_DESKTOP_DIR=\"";
  for (std::string line; std::getline(in, line);) {
    if (line.compare(0, key.size(), key) != 0 || line.back() != '"') continue;
    std::string value = line.substr(key.size(), line.size() - key.size() - 1);
    if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
    return value;
  }
  return "";
}

// A value of Exec: quoted, with the characters the entry format reserves
// escaped.
std::string exec_quoted(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += "\\\\";
    out += c;
  }
  return out + "\"";
}

}  // namespace

std::string desktop_folder() {
  std::string dir = env("XDG_DESKTOP_DIR");
  if (!dir.empty()) return dir;
  const std::string home = env("HOME");
  if (home.empty()) return "";
  dir = user_dirs_desktop(home);
  return dir.empty() ? home + "/Desktop" : dir;
}

Status create_desktop_shortcut(const std::string& desktop, const std::string& program,
                               const std::string& folder) {
  if (desktop.empty()) return Status::NotFound("pasta da area de trabalho desconhecida");
  const std::string path = desktop + "/" + kShortcutFile;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return Status::Ok();
  if (::stat(desktop.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return Status::NotFound("pasta da area de trabalho inexistente: " + desktop);
  }
  const std::string entry =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=KAV/SUS\n"
      "Exec=" + exec_quoted(program) + "\n"
      "Path=" + folder + "\n"
      "Icon=" + folder + "/KAV.ico\n"
      "Terminal=true\n";
  KAV_RETURN_IF_ERROR(replace_file_contents(path, entry));
  if (::chmod(path.c_str(), 0755) != 0) return Status::IoError("chmod " + path);
  return Status::Ok();
}

}  // namespace kav
