#include "platform/zip_archive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "base/file_resolver.h"
#include "base/latin1.h"
#include "base/replacing_file.h"
#include "platform/ftp_zip_names.h"

namespace kav {

namespace {

Status zip_status(const std::string& what, zip_error_t* error) {
  std::string text = what + ": " + zip_error_strerror(error);
  switch (zip_error_code_zip(error)) {
    case ZIP_ER_NOENT:
      return Status::NotFound(text);
    case ZIP_ER_OPEN:
      return zip_error_code_system(error) == ENOENT ? Status::NotFound(text)
                                                     : Status::IoError(text);
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_NOPASSWD:
      return Status::Invalid(what + ": senha incorreta");
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_EOF:
      return Status::Corrupt(text);
    default:
      return Status::IoError(text);
  }
}

Status errno_status(const std::string& what) {
  return Status::IoError(what + ": " + std::strerror(errno));
}

struct ArchiveCloser {
  void operator()(zip_t* za) const { zip_discard(za); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

Status open_archive(const std::string& path, int flags, Archive* out) {
  int code = 0;
  zip_t* za = zip_open(path.c_str(), flags, &code);
  if (za == nullptr) {
    zip_error_t error{};
    zip_error_init_with_code(&error, code);
    Status st = zip_status(path, &error);
    zip_error_fini(&error);
    return st;
  }
  out->reset(za);
  return Status::Ok();
}

// One file being packed, read by libzip through source_callback.
struct FileSource {
  std::string path;
  size_t index;
  const ZipProgress* progress;
  int fd = -1;
  int64_t size = 0;
  time_t mtime = 0;
  int64_t done = 0;
  zip_error_t error{};
};

zip_int64_t fail(FileSource* s, int zip_code) {
  zip_error_set(&s->error, zip_code, errno);
  return -1;
}

zip_int64_t source_callback(void* user, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* s = static_cast<FileSource*>(user);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      s->fd = ::open(s->path.c_str(), O_RDONLY | O_CLOEXEC);
      if (s->fd < 0) return fail(s, ZIP_ER_OPEN);
      s->done = 0;
      if (*s->progress) (*s->progress)(s->index, 0, s->size);
      return 0;
    case ZIP_SOURCE_READ: {
      ssize_t n;
      do {
        n = ::read(s->fd, data, len);
      } while (n < 0 && errno == EINTR);
      if (n < 0) return fail(s, ZIP_ER_READ);
      s->done += n;
      if (n > 0 && *s->progress) (*s->progress)(s->index, s->done, s->size);
      return n;
    }
    case ZIP_SOURCE_CLOSE:
      if (s->fd >= 0) ::close(s->fd);
      s->fd = -1;
      return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = static_cast<zip_stat_t*>(data);
      zip_stat_init(st);
      st->size = static_cast<zip_uint64_t>(s->size);
      st->mtime = s->mtime;
      st->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
      return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&s->error, data, len);
    case ZIP_SOURCE_FREE:
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                            -1);
    default:
      zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

std::string bare_name(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

Status sync_path(const std::string& path, int flags) {
  int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return errno_status(path);
  int rc = ::fsync(fd);
  ::close(fd);
  if (rc != 0) return errno_status(path);
  return Status::Ok();
}

// Adds `s` as a member of `za` with the compression and password asked for.
Status add_member(zip_t* za, FileSource* s, int level, const std::string& password) {
  struct stat st;
  if (::stat(s->path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    return Status::NotFound("Arquivo " + s->path + " nao encontrado");
  }
  s->size = st.st_size;
  s->mtime = st.st_mtime;
  zip_source_t* src = zip_source_function(za, &source_callback, s);
  if (src == nullptr) return zip_status(s->path, zip_get_error(za));
  std::string name = bare_name(s->path);
  zip_int64_t idx = zip_file_add(za, name.c_str(), src, ZIP_FL_ENC_GUESS);
  if (idx < 0) {
    zip_source_free(src);
    return zip_status(s->path, zip_get_error(za));
  }
  auto i = static_cast<zip_uint64_t>(idx);
  if (zip_set_file_compression(za, i, level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                               static_cast<zip_uint32_t>(level)) != 0 ||
      (!password.empty() &&
       zip_file_set_encryption(za, i, ZIP_EM_TRAD_PKWARE, password.c_str()) != 0)) {
    return zip_status(s->path, zip_get_error(za));
  }
  return Status::Ok();
}

// Packs into `temp`; the caller renames it.
Status pack_into(const std::string& temp, std::vector<FileSource>* sources, int level,
                 const std::string& password) {
  Archive za;
  KAV_RETURN_IF_ERROR(open_archive(temp, ZIP_CREATE | ZIP_TRUNCATE, &za));
  for (FileSource& s : *sources) KAV_RETURN_IF_ERROR(add_member(za.get(), &s, level, password));
  if (zip_close(za.get()) != 0) return zip_status(temp, zip_get_error(za.get()));
  za.release();  // zip_close freed it
  return sync_path(temp, O_RDONLY);
}

}  // namespace

Status zip_pack(const std::string& archive, const std::vector<std::string>& sources, int level,
                const std::string& password, const ZipProgress& progress) {
  if (sources.empty()) return Status::Invalid(archive + ": nenhum arquivo para compactar");
  if (level < 0 || level > 9) return Status::Invalid(archive + ": nivel de compressao invalido");
  std::vector<FileSource> files;
  files.reserve(sources.size());
  for (size_t i = 0; i < sources.size(); ++i) {
    files.push_back(FileSource{resolve_or_same(sources[i]), i, &progress});
    zip_error_init(&files.back().error);
  }
  std::string target = resolve_or_same(archive);
  std::string temp = target + ".tmp" + std::to_string(::getpid());
  Status st = pack_into(temp, &files, level, password);
  for (FileSource& f : files) {
    if (f.fd >= 0) ::close(f.fd);
    zip_error_fini(&f.error);
  }
  if (st.ok() && ::rename(temp.c_str(), target.c_str()) != 0) st = errno_status(target);
  if (!st.ok()) {
    ::unlink(temp.c_str());
    return st;
  }
  return sync_path(folder_of(target), O_RDONLY | O_DIRECTORY);
}

Status zip_list(const std::string& archive, std::vector<std::string>* members) {
  Archive za;
  KAV_RETURN_IF_ERROR(open_archive(resolve_or_same(archive), ZIP_RDONLY, &za));
  members->clear();
  zip_int64_t n = zip_get_num_entries(za.get(), 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    const char* name = zip_get_name(za.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (name == nullptr) return zip_status(archive, zip_get_error(za.get()));
    members->emplace_back(name);
  }
  return Status::Ok();
}

Status zip_extract(const std::string& archive, std::string_view member,
                   const std::string& password, const std::string& folder,
                   std::string_view target_name) {
  if (!is_bare_file_name(target_name)) {
    return Status::Invalid("nome de arquivo recusado: " + std::string(target_name));
  }
  Archive za;
  KAV_RETURN_IF_ERROR(open_archive(resolve_or_same(archive), ZIP_RDONLY, &za));
  std::string wanted = latin1_upper(member);
  zip_int64_t n = zip_get_num_entries(za.get(), 0);
  zip_int64_t found = -1;
  for (zip_int64_t i = 0; i < n && found < 0; ++i) {
    const char* name = zip_get_name(za.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (name != nullptr && latin1_upper(name) == wanted) found = i;
  }
  std::string what = archive + " (" + std::string(member) + ")";
  if (found < 0) return Status::NotFound("Arquivo " + what + " nao encontrado");
  zip_file_t* zf = zip_fopen_index_encrypted(za.get(), static_cast<zip_uint64_t>(found), 0,
                                             password.empty() ? nullptr : password.c_str());
  if (zf == nullptr) return zip_status(what, zip_get_error(za.get()));
  ReplacingFile out(resolve_or_same(folder + "/" + std::string(target_name)));
  Status st = out.Open();
  char buf[65536];
  while (st.ok()) {
    zip_int64_t got = zip_fread(zf, buf, sizeof buf);
    if (got < 0) st = zip_status(what, zip_file_get_error(zf));
    if (got <= 0) break;
    st = out.Append(std::string_view(buf, static_cast<size_t>(got)));
  }
  if (zip_fclose(zf) != 0 && st.ok()) st = zip_status(what, zip_get_error(za.get()));
  KAV_RETURN_IF_ERROR(st);
  return out.Commit();
}

}  // namespace kav
