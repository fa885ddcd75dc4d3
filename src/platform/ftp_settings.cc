#include "platform/ftp_settings.h"

#include <cstddef>
#include <optional>

#include "base/file_resolver.h"
#include "base/latin1.h"
#include "base/replacing_file.h"

namespace kav {

namespace {

struct TextKey {
  const char* key;
  std::string FtpSettings::*field;
};

constexpr TextKey kTextKeys[] = {
    {"CNES", &FtpSettings::cnes},       {"KAV", &FtpSettings::kav},
    {"BDVERKAV", &FtpSettings::bdverkav}, {"FORNEC", &FtpSettings::fornec},
    {"LOGCARGA", &FtpSettings::logcarga},
};

struct NumberKey {
  const char* key;
  int FtpOptions::*field;
};

constexpr NumberKey kNumberKeys[] = {
    {"CONNECT_TIMEOUT_MS", &FtpOptions::connect_timeout_ms},
    {"REPLY_TIMEOUT_S", &FtpOptions::reply_timeout_s},
};

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// 1 to 999999999.
std::optional<int> read_positive(std::string_view s) {
  if (s.empty() || s.size() > 9) return std::nullopt;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n == 0) return std::nullopt;
  return n;
}

bool apply(std::string_view key, std::string_view value, FtpSettings* s) {
  std::string upper = latin1_upper(key);
  for (const TextKey& k : kTextKeys) {
    if (upper == k.key) {
      (s->*k.field).assign(value);
      return true;
    }
  }
  for (const NumberKey& k : kNumberKeys) {
    if (upper == k.key) {
      std::optional<int> n = read_positive(value);
      if (n) s->options.*k.field = *n;
      return n.has_value();
    }
  }
  if (upper == "PASSWORD") {
    s->options.password.assign(value);
    return true;
  }
  return false;
}

}  // namespace

Status read_ftp_settings(const std::string& folder, FtpSettings* out) {
  *out = FtpSettings();
  std::optional<std::string> path = resolve_path(folder + "/" + FtpSettings::kFileName);
  if (!path) return Status::Ok();
  std::string text;
  KAV_RETURN_IF_ERROR(read_file(*path, &text));
  FtpSettings settings;
  int line_number = 0;
  std::string_view rest = text;
  while (!rest.empty()) {
    size_t nl = rest.find('\n');
    std::string_view line = trim(rest.substr(0, nl));
    rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    ++line_number;
    if (line.empty() || line.front() == '#') continue;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos ||
        !apply(trim(line.substr(0, eq)), trim(line.substr(eq + 1)), &settings)) {
      return Status::Corrupt(*path + ": linha " + std::to_string(line_number) + " invalida");
    }
  }
  *out = std::move(settings);
  return Status::Ok();
}

}  // namespace kav
