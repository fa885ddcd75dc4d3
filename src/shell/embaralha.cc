#include "shell/embaralha.h"

#include <array>

namespace kav {

namespace {

// The substitution: letters, digits, the accented Portuguese letters and a
// few punctuation marks. The second row is a permutation of the first.
constexpr std::string_view kPlain =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    "áàâãéêíóôõúüçÁÀÂÃÉÊÍÓÔÕÚÜÇ.,-/:;()_+=*?!";
constexpr std::string_view kScrambled =
    "2*áÚÉD8Àe=ãPçÓü/?xYêHSv:1XofBÁTj.ÜRiyÔúzdhLEKnMméír!âJqAO(V;+ÃUQ7"
    "Ns05ÇW_ÍÊwàÂ)CpFõÕalk3,GZt-ucb9g6ó4ôI";

using ByteMap = std::array<unsigned char, 256>;

ByteMap build_map(std::string_view from, std::string_view to) {
  ByteMap map;
  for (int i = 0; i < 256; ++i) map[i] = static_cast<unsigned char>(i);
  for (size_t i = 0; i < from.size() && i < to.size(); ++i) {
    map[static_cast<unsigned char>(from[i])] = static_cast<unsigned char>(to[i]);
  }
  return map;
}

std::string apply(const ByteMap& map, std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
  return out;
}

}  // namespace

std::string EMBARALHA(std::string_view text) {
  static const ByteMap forward = build_map(kPlain, kScrambled);
  return apply(forward, text);
}

std::string DESEMBARALHA(std::string_view text) {
  static const ByteMap backward = build_map(kScrambled, kPlain);
  return apply(backward, text);
}

std::string_view embaralha_plain_row() { return kPlain; }
std::string_view embaralha_scrambled_row() { return kScrambled; }

}  // namespace kav
