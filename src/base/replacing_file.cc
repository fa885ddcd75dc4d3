#include "base/replacing_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kav {

namespace {

std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

Status errno_status(const std::string& what, const std::string& path) {
  return Status::IoError(what + " " + path + ": " + std::strerror(errno));
}

Status write_all(int fd, const char* p, size_t n, const std::string& path) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return errno_status("write", path);
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return Status::Ok();
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {}

ReplacingFile::~ReplacingFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

Status ReplacingFile::Open() {
  temp_ = target_ + ".tmp" + std::to_string(::getpid());
  fd_ = ::open(temp_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    Status st = errno_status("create", temp_);
    temp_.clear();
    return st;
  }
  return Status::Ok();
}

Status ReplacingFile::Flush() {
  if (buf_.empty()) return Status::Ok();
  Status st = write_all(fd_, buf_.data(), buf_.size(), temp_);
  buf_.clear();
  return st;
}

Status ReplacingFile::Append(std::string_view data) {
  buf_.append(data);
  if (buf_.size() >= (1u << 20)) return Flush();
  return Status::Ok();
}

Status ReplacingFile::WriteAt(uint64_t offset, std::string_view data) {
  KAV_RETURN_IF_ERROR(Flush());
  const char* p = data.data();
  size_t n = data.size();
  while (n > 0) {
    ssize_t w = ::pwrite(fd_, p, n, static_cast<off_t>(offset));
    if (w < 0) {
      if (errno == EINTR) continue;
      return errno_status("write", temp_);
    }
    p += w;
    n -= static_cast<size_t>(w);
    offset += static_cast<uint64_t>(w);
  }
  return Status::Ok();
}

Status ReplacingFile::Commit() {
  KAV_RETURN_IF_ERROR(Flush());
  if (::fsync(fd_) != 0) return errno_status("sync", temp_);
  if (::close(fd_) != 0) {
    fd_ = -1;
    return errno_status("close", temp_);
  }
  fd_ = -1;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) return errno_status("rename", target_);
  committed_ = true;
  int dfd = ::open(folder_of(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return Status::Ok();
}

Status replace_file_contents(const std::string& path, std::string_view data) {
  ReplacingFile f(path);
  KAV_RETURN_IF_ERROR(f.Open());
  KAV_RETURN_IF_ERROR(f.Append(data));
  return f.Commit();
}

Status read_file(const std::string& path, std::string* out) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return Status::NotFound(path);
    return errno_status("open", path);
  }
  out->clear();
  char buf[65536];
  for (;;) {
    ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      Status st = errno_status("read", path);
      ::close(fd);
      return st;
    }
    if (r == 0) break;
    out->append(buf, static_cast<size_t>(r));
  }
  ::close(fd);
  return Status::Ok();
}

}  // namespace kav
