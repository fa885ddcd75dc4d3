// Splits a file into lines without holding a whole line: LF ends a line,
// one CR just before it is dropped, and a final LF starts no new line.
#pragma once

#include <cstddef>
#include <string_view>

namespace kav::cadcheck {

class LineSink {
 public:
  virtual ~LineSink() = default;
  // Next piece of the current line (never empty).
  virtual void Piece(std::string_view piece) = 0;
  // End of the current line; false stops the reading.
  virtual bool End() = 0;
};

inline constexpr size_t kDefaultReadBuffer = 256 * 1024;

// Reads `fd` from its current offset to its end. False on a read error or
// when the sink stopped.
bool read_lines(int fd, LineSink* sink, size_t buffer_size = kDefaultReadBuffer);

}  // namespace kav::cadcheck
