// ZIP archives on libzip: deflate members, optionally with the traditional
// PKWARE password. Members are packed under the bare names of their files
// and unpacked only under a name the caller gives, never under a path
// stored in the archive. Archives, sources and targets are looked up
// ignoring case; an existing file keeps its spelling.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace kav {

// While packing: the index of the file in `sources`, its bytes read so far
// and its size. Called at least once per file, first with done 0.
using ZipProgress = std::function<void(size_t file, int64_t done, int64_t total)>;

// Writes `archive` anew holding each file of `sources` under its bare name
// (the part after the last '/'), deflated at `level` (1-9; 0 stores),
// encrypted with `password` unless it is empty. The archive is written under
// a temporary name and takes the place of an existing one only when every
// file was packed.
Status zip_pack(const std::string& archive, const std::vector<std::string>& sources, int level,
                const std::string& password, const ZipProgress& progress);

// The member names as stored, in archive order.
Status zip_list(const std::string& archive, std::vector<std::string>* members);

// Unpacks the member named `member` (compared ignoring case) into `folder`
// under `target_name`, which must be a bare file name, using `password`
// when it is not empty. The content goes to a temporary name and replaces
// an existing file only after it was read whole and its check sum matched.
Status zip_extract(const std::string& archive, std::string_view member,
                   const std::string& password, const std::string& folder,
                   std::string_view target_name);

}  // namespace kav
