// Index key expressions: field names joined by "+", SUBSTR(field, start, len)
// and STRZERO(field, width, 0). Parsed once against a table's fields; a key is
// then built straight from the record bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "xbase/field.h"

namespace kav::xbase {

class KeyExpr {
 public:
  static Status Parse(std::string_view text, const std::vector<Field>& fields, KeyExpr* out);

  const std::string& text() const { return text_; }
  int length() const { return length_; }
  // True when the key is a single numeric field (see numeric_key).
  bool numeric() const { return numeric_; }
  int decimals() const { return decimals_; }

  // Writes length() bytes of the key of `record` (which starts with the
  // deletion flag) to `out`.
  void Eval(const char* record, char* out) const;
  std::string Eval(const char* record) const;

 // One piece of the key, as the parser lays it out.
  struct Segment {
    enum Kind { kBytes, kStrZero } kind = kBytes;
    int offset = 0;     // in the record
    int len = 0;        // bytes taken (kBytes) or field width (kStrZero)
    int pad = 0;        // blanks after the bytes (SUBSTR past the field's end)
    int width = 0;      // STRZERO width
  };

 private:
  std::string text_;
  std::vector<Segment> segments_;
  int length_ = 0;
  bool numeric_ = false;
  int decimals_ = 0;
};

// The index key of a numeric field's text, ordered by value as Clipper
// stores it: leading blanks become zeros; a negative number loses its sign
// and every digit d becomes the character 44 - d, so negatives sort first
// and larger magnitudes lower.
void numeric_key(std::string_view field_text, char* out);
std::string numeric_key(std::string_view field_text);

// STRZERO of a numeric field's text: the value rounded to a whole number,
// right-aligned in `width` with leading zeros ("-" first for negatives).
void strzero(std::string_view field_text, int width, char* out);

}  // namespace kav::xbase
