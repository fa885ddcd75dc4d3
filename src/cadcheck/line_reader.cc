#include "cadcheck/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace kav::cadcheck {

namespace {

// Holds back a CR at the end of a buffer until the next byte shows whether
// it comes just before LF.
class Splitter {
 public:
  explicit Splitter(LineSink* sink) : sink_(sink) {}

  bool Feed(const char* p, size_t n) {
    const char* end = p + n;
    while (p < end) {
      const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
      if (lf == nullptr) {
        Open(p, end);
        return true;
      }
      if (!Close(p, lf)) return false;
      p = lf + 1;
    }
    return true;
  }

  bool Finish() {
    ReleaseCr();
    return !in_line_ || sink_->End();
  }

 private:
  // Content whose end is not yet known to be the line's end.
  void Open(const char* p, const char* end) {
    ReleaseCr();
    if (end[-1] == '\r') {
      held_cr_ = true;
      --end;
    }
    if (p < end) sink_->Piece(std::string_view(p, end - p));
    in_line_ = true;
  }

  // Content just before an LF, then the line's end.
  bool Close(const char* p, const char* end) {
    if (p == end) {
      held_cr_ = false;  // a held CR is the one just before the LF
    } else {
      ReleaseCr();
      if (end[-1] == '\r') --end;
      if (p < end) sink_->Piece(std::string_view(p, end - p));
    }
    in_line_ = false;
    return sink_->End();
  }

  void ReleaseCr() {
    if (held_cr_) sink_->Piece("\r");
    held_cr_ = false;
  }

  LineSink* sink_;
  bool in_line_ = false;
  bool held_cr_ = false;
};

}  // namespace

bool read_lines(int fd, LineSink* sink, size_t buffer_size) {
  std::vector<char> buf(buffer_size > 0 ? buffer_size : 1);
  Splitter splitter(sink);
  for (;;) {
    ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return splitter.Finish();
    if (!splitter.Feed(buf.data(), static_cast<size_t>(n))) return false;
  }
}

}  // namespace kav::cadcheck
