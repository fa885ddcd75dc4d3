// The two text comparisons of the system. Most tests compare with "a = b",
// which holds when b is a prefix of a; a few compare whole texts exactly.
#pragma once

#include <string_view>

namespace kav {

// "a = b": b is a prefix of a, every byte of b counted (trailing blanks
// too). An empty b matches everything; a shorter a never matches a longer b.
// "a <> b" is its negation.
inline bool begins_with(std::string_view a, std::string_view b) {
  return a.size() >= b.size() && a.compare(0, b.size(), b) == 0;
}

// "a == b": same length and the same bytes.
inline bool exact_equal(std::string_view a, std::string_view b) { return a == b; }

}  // namespace kav
