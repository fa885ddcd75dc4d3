// The array file: one nested list written as typed, length-prefixed text.
// "A" + count (4 characters, right-aligned) + elements; an element is a
// type letter and its data: "A" a nested list, "C" length (5) + text,
// "L" "T"/"F", "N" length (2) + the number's text, "D" 8 characters.
// No separator, terminator or checksum.
#pragma once

#include <string>
#include <vector>

#include "base/status.h"

namespace kav {

struct ArrayItem {
  char type = 'C';               // 'A', 'C', 'L', 'N' or 'D'
  std::string text;              // C, N (its text), D; L "T" or "F"
  std::vector<ArrayItem> items;  // A

  static ArrayItem Text(std::string s) { return {'C', std::move(s), {}}; }
  static ArrayItem List(std::vector<ArrayItem> v) { return {'A', "", std::move(v)}; }
  static ArrayItem Logical(bool b) { return {'L', b ? "T" : "F", {}}; }
  // A whole number, right-aligned in 10 characters as written by the program.
  static ArrayItem Number(long long n);
  bool operator==(const ArrayItem&) const = default;
};

using ArrayList = std::vector<ArrayItem>;

// Encodes and decodes the file body (starting with "A").
Status encode_array(const ArrayList& list, std::string* out);
// Reads as much as the data holds: a body cut short gives the elements read
// completely (nested lists partly read are kept with what they hold) and a
// Corrupt status. Elements of an unknown type are skipped without data.
Status decode_array(const std::string& data, ArrayList* out);

// Writes `list` to `path`, replacing the file only when complete.
Status SAVEARRAY(const ArrayList& list, const std::string& path);
// Reads the list of `path` (the file looked up ignoring case). A missing
// file is NotFound; a damaged one gives what could be read and Corrupt.
Status RESTARRAY(const std::string& path, ArrayList* out);

}  // namespace kav
