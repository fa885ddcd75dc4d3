// Registry kit files with chained line trailers, valid or broken on request.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace kav::kavfix {

struct CnesKitOptions {
  bool crlf = true;           // line end CR LF, else LF
  bool reproducible = false;  // fixed leading blocks instead of the clock
  // Lines (from 1) whose trailer holds a wrong sum.
  std::set<uint64_t> bad_trailer;
  // Lines (from 1) whose trailer was made for another chain value.
  std::set<uint64_t> bad_chain;
};

using Writer = std::function<Status(std::string_view)>;

// Writes each body followed by its trailer and the line end.
Status write_cnes_kit(const std::vector<std::string>& bodies, const CnesKitOptions& options,
                      const Writer& write);

// Body lines read from `fd` to its end, split as the kit test splits them.
Status read_body_lines(int fd, std::vector<std::string>* lines);

}  // namespace kav::kavfix
