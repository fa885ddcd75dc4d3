#include "cadcheck/base64.h"

#include <array>
#include <cstdint>

namespace kav::cadcheck {

namespace {

constexpr char kAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t kFirst = '+', kLast = 'z';
constexpr uint8_t kNotInAlphabet = 127;
constexpr uint8_t kOutOfRange = 255;

// Value of every byte: its alphabet index, 127 inside "+".."z" otherwise,
// 255 outside that range.
constexpr std::array<uint8_t, 256> make_values() {
  std::array<uint8_t, 256> v{};
  for (int c = 0; c < 256; ++c) v[c] = (c < kFirst || c > kLast) ? kOutOfRange : kNotInAlphabet;
  for (int i = 0; i < 64; ++i) v[static_cast<uint8_t>(kAlphabet[i])] = static_cast<uint8_t>(i);
  return v;
}

constexpr std::array<uint8_t, 256> kValues = make_values();

}  // namespace

void base64_encode(std::string_view bytes, std::string* out) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t n = bytes.size(), i = 0;
  out->reserve(out->size() + (n + 2) / 3 * 4);
  for (; i + 3 <= n; i += 3) {
    uint32_t v = uint32_t{p[i]} << 16 | uint32_t{p[i + 1]} << 8 | p[i + 2];
    out->push_back(kAlphabet[v >> 18]);
    out->push_back(kAlphabet[(v >> 12) & 63]);
    out->push_back(kAlphabet[(v >> 6) & 63]);
    out->push_back(kAlphabet[v & 63]);
  }
  if (n - i == 1) {
    out->push_back(kAlphabet[p[i] >> 2]);
    out->push_back(kAlphabet[(p[i] & 3) << 4]);
    out->append("==");
  } else if (n - i == 2) {
    out->push_back(kAlphabet[p[i] >> 2]);
    out->push_back(kAlphabet[(p[i] & 3) << 4 | p[i + 1] >> 4]);
    out->push_back(kAlphabet[(p[i + 1] & 15) << 2]);
    out->push_back('=');
  }
}

bool base64_decode(std::string_view text, std::string* out) {
  out->clear();
  if (text.size() % 4 != 0) return false;
  out->resize(text.size() / 4 * 3);
  char* o = out->data();
  for (size_t i = 0; i < text.size(); i += 4) {
    uint32_t v[4];
    for (int k = 0; k < 4; ++k) v[k] = kValues[static_cast<uint8_t>(text[i + k])];
    if ((v[0] | v[1] | v[2] | v[3]) == kOutOfRange) return false;  // 255 only if one is
    *o++ = static_cast<char>(v[0] << 2 | v[1] >> 4);
    if (text[i + 2] == '=') continue;
    *o++ = static_cast<char>(v[1] << 4 | v[2] >> 2);
    if (text[i + 3] == '=') continue;
    *o++ = static_cast<char>(v[2] << 6 | v[3]);
  }
  out->resize(o - out->data());
  return true;
}

}  // namespace kav::cadcheck
