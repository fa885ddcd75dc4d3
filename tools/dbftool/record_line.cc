#include "record_line.h"

namespace kav::dbftool {

namespace {

constexpr struct {
  char raw, escaped;
} kEscapes[] = {{'\\', '\\'}, {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}};

std::string_view trim_right(std::string_view s) {
  size_t end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}

std::string_view trim(std::string_view s) {
  s = trim_right(s);
  size_t start = s.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : s.substr(start);
}

Status value_text(const xbase::Table& t, int i, std::string* out) {
  std::string_view raw = t.raw(i);
  switch (t.fields()[static_cast<size_t>(i)].def.type) {
    case 'C': out->append(trim_right(raw)); break;
    case 'N': out->append(trim(raw)); break;
    case 'L': out->push_back(raw[0] == 'T' || raw[0] == 't' || raw[0] == 'Y' || raw[0] == 'y' ? 'T' : 'F'); break;
    case 'M': {
      std::string text;
      KAV_RETURN_IF_ERROR(t.memo(i, &text));
      out->append(escape_memo(text));
      break;
    }
    default: out->append(raw); break;  // D as stored
  }
  return Status::Ok();
}

}  // namespace

Status record_line(const xbase::Table& t, std::string* line) {
  *line = std::to_string(t.recno());
  if (t.deleted()) line->push_back('*');
  for (size_t i = 0; i < t.fields().size(); ++i) {
    line->push_back('\t');
    KAV_RETURN_IF_ERROR(value_text(t, static_cast<int>(i), line));
  }
  line->push_back('\n');
  return Status::Ok();
}

std::string escape_memo(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    char esc = 0;
    for (const auto& e : kEscapes)
      if (e.raw == c) esc = e.escaped;
    if (esc) {
      out.push_back('\\');
      out.push_back(esc);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

Status unescape_memo(std::string_view text, std::string* out) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out->push_back(text[i]);
      continue;
    }
    char raw = 0;
    if (i + 1 < text.size())
      for (const auto& e : kEscapes)
        if (e.escaped == text[i + 1]) raw = e.raw;
    if (!raw) return Status::Invalid("escape invalido no memorando: " + std::string(text));
    out->push_back(raw);
    ++i;
  }
  return Status::Ok();
}

}  // namespace kav::dbftool
