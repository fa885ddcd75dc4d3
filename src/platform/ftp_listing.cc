#include "platform/ftp_listing.h"

#include <cstdio>
#include <optional>

#include "base/latin1.h"
#include "platform/ftp_zip_names.h"

namespace kav {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Takes the next blank-separated field of `rest`.
std::string_view next_field(std::string_view* rest) {
  size_t start = 0;
  while (start < rest->size() && is_blank((*rest)[start])) ++start;
  size_t end = start;
  while (end < rest->size() && !is_blank((*rest)[end])) ++end;
  std::string_view field = rest->substr(start, end - start);
  rest->remove_prefix(end);
  return field;
}

// A run of 1-18 digits.
bool read_number(std::string_view s, int64_t* out) {
  if (s.empty() || s.size() > 18) return false;
  int64_t n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  *out = n;
  return true;
}

// "mm-dd-yy" or "mm-dd-yyyy".
std::optional<Date> read_date(std::string_view s) {
  if ((s.size() != 8 && s.size() != 10) || s[2] != '-' || s[5] != '-') return std::nullopt;
  int64_t month, day, year;
  if (!read_number(s.substr(0, 2), &month) || !read_number(s.substr(3, 2), &day) ||
      !read_number(s.substr(6), &year)) {
    return std::nullopt;
  }
  if (s.size() == 8) year += 2000;
  return Date::from_ymd(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
}

// "hh:mmAM" / "hh:mmPM": 12 AM is hour 0, 12 PM stays 12, other PM hours add 12.
bool read_time(std::string_view s, int* hour24, int* minute_out) {
  if (s.size() != 7 || s[2] != ':') return false;
  int64_t hour, minute;
  if (!read_number(s.substr(0, 2), &hour) || !read_number(s.substr(3, 2), &minute)) return false;
  if (hour < 1 || hour > 12 || minute > 59) return false;
  std::string half = latin1_upper(s.substr(5));
  if (half != "AM" && half != "PM") return false;
  if (hour == 12) hour = 0;
  if (half == "PM") hour += 12;
  *hour24 = static_cast<int>(hour);
  *minute_out = static_cast<int>(minute);
  return true;
}

std::optional<FtpEntry> parse_line(std::string_view line) {
  std::string_view rest = line;
  std::optional<Date> date = read_date(next_field(&rest));
  int hour, minute;
  if (!date || !read_time(next_field(&rest), &hour, &minute)) return std::nullopt;
  std::string_view kind = next_field(&rest);
  bool is_folder = kind == "<DIR>";
  int64_t size = 0;
  if (!is_folder && !read_number(kind, &size)) return std::nullopt;
  while (!rest.empty() && is_blank(rest.front())) rest.remove_prefix(1);
  if (!is_bare_file_name(rest)) return std::nullopt;
  return FtpEntry{std::string(rest), is_folder, size, DateTime{*date, hour, minute, 0}};
}

}  // namespace

std::vector<FtpEntry> parse_ms_dos_listing(std::string_view text) {
  std::vector<FtpEntry> entries;
  while (!text.empty()) {
    size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (std::optional<FtpEntry> entry = parse_line(line)) entries.push_back(std::move(*entry));
  }
  return entries;
}

std::string ms_dos_listing_line(const FtpEntry& entry) {
  const DateTime& t = entry.modified;
  int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  char head[64];
  std::snprintf(head, sizeof head, "%02d-%02d-%02d  %02d:%02d%s ", t.date.month(), t.date.day(),
                t.date.year() % 100, hour12, t.minute, t.hour < 12 ? "AM" : "PM");
  char kind[32];
  if (entry.is_folder) {
    std::snprintf(kind, sizeof kind, "%-20s", "      <DIR>");
  } else {
    std::snprintf(kind, sizeof kind, "%20lld", static_cast<long long>(entry.size));
  }
  return std::string(head) + kind + " " + entry.name;
}

}  // namespace kav
