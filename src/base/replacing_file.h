// Writes a file under a temporary name in the same folder and puts it in
// place of the target only on Commit(): flush, sync, rename, sync the folder.
// A writer destroyed without Commit() removes its temporary file, so a
// failure anywhere leaves the old file exactly as it was.
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"

namespace kav {

class ReplacingFile {
 public:
  explicit ReplacingFile(std::string target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  Status Open();
  Status Append(std::string_view data);
  Status WriteAt(uint64_t offset, std::string_view data);
  Status Commit();

  int fd() const { return fd_; }
  const std::string& temp_path() const { return temp_; }
  const std::string& target() const { return target_; }

 private:
  Status Flush();
  std::string target_;
  std::string temp_;
  std::string buf_;
  int fd_ = -1;
  bool committed_ = false;
};

// Writes `data` as the whole new content of `path`, atomically.
Status replace_file_contents(const std::string& path, std::string_view data);

// Reads a whole file.
Status read_file(const std::string& path, std::string* out);

}  // namespace kav
