// One measured step of the benchmark, run in a process of its own so that
// its peak memory is its own. A step does its work on `rows` generated
// rows in `dir` and reports the seconds of the measured part and a check
// value that peers doing the same work must agree on.
#pragma once

#include <cstdint>
#include <string>

#include "base/status.h"

namespace kav::bench {

struct StepArgs {
  uint64_t rows = 0;
  std::string dir;
};

struct StepResult {
  double seconds = 0;
  std::string check;  // e.g. "found=1000000 sum=123"; equal across peers
};

using StepFn = Status (*)(const StepArgs&, StepResult*);

// Our engine.
Status kav_append(const StepArgs& a, StepResult* r);
Status kav_index(const StepArgs& a, StepResult* r);
Status kav_seek(const StepArgs& a, StepResult* r);
Status kav_scan(const StepArgs& a, StepResult* r);

// SQLite.
Status sqlite_append(const StepArgs& a, StepResult* r);
Status sqlite_seek(const StepArgs& a, StepResult* r);
Status sqlite_scan(const StepArgs& a, StepResult* r);

// xbase64 (when built with it): reading only.
Status xbase64_scan(const StepArgs& a, StepResult* r);

// Setup and floors.
Status generate_only(const StepArgs& a, StepResult* r);
Status write_key_lines(const StepArgs& a, StepResult* r);

// Paths and helpers shared by the steps.
std::string kav_table(const StepArgs& a);
std::string kav_index_path(const StepArgs& a, const char* tag);
std::string key_lines_path(const StepArgs& a);
double seconds_since(int64_t start_ns);
int64_t now_ns();
// The row numbers to seek, the same for every peer.
uint64_t seek_target(uint64_t n, uint64_t rows);
uint64_t byte_sum(const char* p, size_t n);

}  // namespace kav::bench
