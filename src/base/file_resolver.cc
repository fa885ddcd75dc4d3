#include "base/file_resolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <strings.h>

namespace kav {

namespace {

bool exists(const std::string& p) {
  struct stat st;
  return ::lstat(p.c_str(), &st) == 0;
}

// Finds `name` in folder `dir` ignoring case.
std::optional<std::string> find_in(const std::string& dir, const std::string& name) {
  std::string prefix = dir;
  if (!prefix.empty() && prefix.back() != '/') prefix.push_back('/');
  std::string exact = prefix + name;
  if (exists(exact)) return exact;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* e = ::readdir(d)) {
    if (::strcasecmp(e->d_name, name.c_str()) == 0) {
      found = prefix + e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

}  // namespace

std::optional<std::string> resolve_path(const std::string& path) {
  if (path.empty()) return std::nullopt;
  if (exists(path)) return path;
  std::string cur;
  if (path[0] == '/') cur.push_back('/');
  size_t pos = 0;
  while (pos < path.size()) {
    size_t slash = path.find('/', pos);
    if (slash == std::string::npos) slash = path.size();
    std::string part(path, pos, slash - pos);
    pos = slash + 1;
    if (part.empty() || part == "." || part == "..") {
      if (part.empty()) continue;
      if (!cur.empty() && cur.back() != '/') cur.push_back('/');
      cur.append(part);
      continue;
    }
    auto next = find_in(cur, part);
    if (!next) return std::nullopt;
    cur = std::move(*next);
  }
  return cur;
}

std::string resolve_or_same(const std::string& path) {
  auto r = resolve_path(path);
  return r ? *r : path;
}

}  // namespace kav
