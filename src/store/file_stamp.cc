#include "store/file_stamp.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "base/file_resolver.h"

namespace kav {

std::string FDIR_DBI(const std::string& path) {
  auto found = resolve_path(path);
  struct stat st;
  if (!found || ::stat(found->c_str(), &st) != 0) return "    ";
  struct tm tm;
  time_t t = st.st_mtime;
  localtime_r(&t, &tm);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d%02d%02d", tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                tm.tm_min, tm.tm_sec);
  return buf;
}

}  // namespace kav
