#include "xbase/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kav::xbase {

namespace {
Status io_error(const std::string& what, const std::string& path) {
  return Status::IoError(what + " " + path + ": " + std::strerror(errno));
}
}  // namespace

Status File::OpenFlags(const std::string& path, int flags, std::unique_ptr<File>* out) {
  int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno == ENOENT) return Status::NotFound("arquivo nao encontrado: " + path);
    return io_error("erro ao abrir", path);
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    int e = errno;
    ::close(fd);
    if (e == EWOULDBLOCK) return Status::InUse("arquivo em uso por outro programa: " + path);
    errno = e;
    return io_error("erro ao bloquear", path);
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    Status s = io_error("erro ao ler", path);
    ::close(fd);
    return s;
  }
  out->reset(new File(path, fd, static_cast<uint64_t>(st.st_size)));
  return Status::Ok();
}

Status File::Open(const std::string& path, std::unique_ptr<File>* out) {
  return OpenFlags(path, O_RDWR, out);
}

Status File::Create(const std::string& path, std::unique_ptr<File>* out) {
  KAV_RETURN_IF_ERROR(OpenFlags(path, O_RDWR | O_CREAT, out));
  return (*out)->Truncate(0);
}

File::~File() { ::close(fd_); }

Status File::ReadSome(uint64_t offset, size_t n, char* dst, size_t* got) const {
  size_t done = 0;
  while (done < n) {
    ssize_t r = ::pread(fd_, dst + done, n - done, static_cast<off_t>(offset + done));
    if (r < 0) {
      if (errno == EINTR) continue;
      return io_error("erro de leitura em", path_);
    }
    if (r == 0) break;
    done += static_cast<size_t>(r);
  }
  *got = done;
  return Status::Ok();
}

Status File::Read(uint64_t offset, size_t n, char* dst) const {
  size_t got = 0;
  KAV_RETURN_IF_ERROR(ReadSome(offset, n, dst, &got));
  if (got != n) return Status::Corrupt("arquivo danificado (truncado): " + path_);
  return Status::Ok();
}

Status File::Write(uint64_t offset, const char* src, size_t n) {
  size_t done = 0;
  while (done < n) {
    ssize_t w = ::pwrite(fd_, src + done, n - done, static_cast<off_t>(offset + done));
    if (w < 0) {
      if (errno == EINTR) continue;
      return io_error("erro de gravacao em", path_);
    }
    done += static_cast<size_t>(w);
  }
  if (offset + n > size_) size_ = offset + n;
  return Status::Ok();
}

Status File::Truncate(uint64_t size) {
  if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return io_error("erro ao truncar", path_);
  size_ = size;
  return Status::Ok();
}

Status File::Sync() {
  if (::fdatasync(fd_) != 0) return io_error("erro ao gravar", path_);
  return Status::Ok();
}

}  // namespace kav::xbase
