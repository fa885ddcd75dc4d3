#include "base/latin1.h"

namespace kav {

int64_t latin1_sum(std::string_view s) {
  int64_t sum = 0;
  for (unsigned char c : s) sum += c;
  return sum;
}

std::string latin1_to_utf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (unsigned char c : s) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::string utf8_to_latin1(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = s[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    size_t len = c >= 0xF8 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    uint32_t cp = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    bool good = len > 1 && i + len <= s.size();
    for (size_t k = 1; good && k < len; ++k) {
      unsigned char cc = s[i + k];
      if ((cc & 0xC0) != 0x80) good = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    // An overlong form ("\xC1\x81" for 'A') is malformed, not a second
    // spelling of a character.
    static constexpr uint32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (good && cp < kShortest[len]) good = false;
    if (!good) {
      out.push_back('?');
      ++i;
      continue;
    }
    out.push_back(cp <= 0xFF ? static_cast<char>(cp) : '?');
    i += len;
  }
  return out;
}

char latin1_upper(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  return c;
}

std::string latin1_upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = latin1_upper(c);
  return out;
}

}  // namespace kav
