// A file opened for reading and writing and held exclusively by this process,
// with positioned reads and writes. Errors name the file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/status.h"

namespace kav::xbase {

class File {
 public:
  // Opens an existing file and locks it; a file held by another process gives
  // an "in use" error.
  static Status Open(const std::string& path, std::unique_ptr<File>* out);
  // Creates (or truncates) and locks.
  static Status Create(const std::string& path, std::unique_ptr<File>* out);
  ~File();

  const std::string& path() const { return path_; }
  uint64_t size() const { return size_; }

  // Reads exactly n bytes at offset; a short read is a corruption error.
  Status Read(uint64_t offset, size_t n, char* dst) const;
  // Reads up to n bytes; *got tells how many.
  Status ReadSome(uint64_t offset, size_t n, char* dst, size_t* got) const;
  Status Write(uint64_t offset, const char* src, size_t n);
  Status Truncate(uint64_t size);
  Status Sync();

 private:
  File(std::string path, int fd, uint64_t size) : path_(std::move(path)), fd_(fd), size_(size) {}
  static Status OpenFlags(const std::string& path, int flags, std::unique_ptr<File>* out);
  std::string path_;
  int fd_;
  uint64_t size_;
};

}  // namespace kav::xbase
