#include "cadcheck/kit_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cstring>

#include "cadcheck/check_sum.h"
#include "cadcheck/text_cipher.h"

namespace kav::cadcheck {

namespace {

class LineCounter : public LineSink {
 public:
  void Piece(std::string_view) override {}
  bool End() override {
    ++count_;
    return true;
  }
  uint64_t count() const { return count_; }

 private:
  uint64_t count_ = 0;
};

// Checks each line as it streams by: everything but the last 24 bytes goes
// into the sum at once, so a line of any length needs no buffer.
class LineChecker : public LineSink {
 public:
  explicit LineChecker(uint64_t line_count) : chain_(first_chain_value(line_count)) {}

  void Piece(std::string_view piece) override {
    if (piece.size() >= kTrailerSize) {
      sum_.Add(std::string_view(tail_, tail_size_));
      sum_.Add(piece.substr(0, piece.size() - kTrailerSize));
      std::memcpy(tail_, piece.data() + piece.size() - kTrailerSize, kTrailerSize);
      tail_size_ = kTrailerSize;
      return;
    }
    char joined[2 * kTrailerSize];
    std::memcpy(joined, tail_, tail_size_);
    std::memcpy(joined + tail_size_, piece.data(), piece.size());
    size_t size = tail_size_ + piece.size();
    size_t excess = size > kTrailerSize ? size - kTrailerSize : 0;
    sum_.Add(std::string_view(joined, excess));
    tail_size_ = size - excess;
    std::memcpy(tail_, joined + excess, tail_size_);
  }

  // A line shorter than its trailer fails: fewer than 24 Base64 characters
  // cannot hold the two blocks of an enciphered form.
  bool End() override {
    if (tail_size_ < kTrailerSize) return false;
    std::string_view trailer(tail_, kTrailerSize);
    sum_.Add(chain_);
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, sum_.value()).ptr;
    if (!decipher_text(trailer, &plain_, &scratch_) ||
        plain_ != std::string_view(digits, end - digits)) {
      return false;
    }
    chain_.assign(trailer);
    sum_ = CheckSum();
    tail_size_ = 0;
    return true;
  }

 private:
  std::string chain_;
  CheckSum sum_;
  char tail_[kTrailerSize];
  size_t tail_size_ = 0;
  std::string plain_;
  std::string scratch_;
};

class File {
 public:
  explicit File(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~File() {
    if (fd_ >= 0) ::close(fd_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Open and a regular file (a folder, device or pipe is no kit).
  bool is_regular() const {
    struct stat st;
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
  }
  bool Rewind() const { return ::lseek(fd_, 0, SEEK_SET) == 0; }
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::string first_chain_value(uint64_t line_count) {
  return std::string(kChainStart) + std::to_string(line_count);
}

std::string trailer_plain_text(std::string_view body, std::string_view chain) {
  CheckSum sum;
  sum.Add(body);
  sum.Add(chain);
  return std::to_string(sum.value());
}

bool kit_file_passes(const std::string& path, size_t buffer_size) {
  File file(path);
  if (!file.is_regular()) return false;
  LineCounter counter;
  if (!read_lines(file.fd(), &counter, buffer_size) || !file.Rewind()) return false;
  LineChecker checker(counter.count());
  return read_lines(file.fd(), &checker, buffer_size);
}

}  // namespace kav::cadcheck
