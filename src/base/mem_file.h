// Variables files (.MEM): the settings files that keep a few named values
// between runs. Each variable is a 32-byte header (name in upper case, at
// most 10 characters, zero-filled; type letter with its high bit set; value
// length at bytes 16-17) followed by its value; the file ends with 0x1A.
// Text values end with one zero byte; logical values are one byte, 1 or 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace kav {

struct MemVar {
  std::string name;  // as stored: upper case, at most 10 characters
  char type = 'C';   // 'C' text or 'L' logical
  std::string text;
  bool logical = false;
};

class MemFile {
 public:
  // A missing file reads as empty; a damaged one is an error naming it.
  static Status Read(const std::string& path, MemFile* out);
  // Replaces the file atomically.
  Status Write(const std::string& path) const;

  // Names are compared on their first 10 characters, in upper case.
  const MemVar* Find(std::string_view name) const;
  std::optional<std::string> text(std::string_view name) const;
  std::optional<bool> logical(std::string_view name) const;
  void set_text(std::string_view name, std::string_view value);
  void set_logical(std::string_view name, bool value);
  const std::vector<MemVar>& vars() const { return vars_; }

 private:
  MemVar& Slot(std::string_view name);
  std::vector<MemVar> vars_;
};

}  // namespace kav
