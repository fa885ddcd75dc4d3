// Shared helpers of the steps, and the steps that only prepare or give a floor.
#include <time.h>

#include <cstdio>

#include "bpi_rows.h"
#include "cases.h"

namespace kav::bench {

std::string kav_table(const StepArgs& a) { return a.dir + "/S_BPI.DBF"; }
std::string kav_index_path(const StepArgs& a, const char* tag) {
  return a.dir + "/" + tag + ".NTX";
}
std::string key_lines_path(const StepArgs& a) { return a.dir + "/bpi01_keys.txt"; }

int64_t now_ns() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

double seconds_since(int64_t start_ns) { return static_cast<double>(now_ns() - start_ns) / 1e9; }

uint64_t seek_target(uint64_t n, uint64_t rows) { return Rng(n * 2 + 1).Below(rows); }

uint64_t byte_sum(const char* p, size_t n) {
  uint64_t s = 0;
  for (size_t i = 0; i < n; ++i) s += static_cast<unsigned char>(p[i]);
  return s;
}

// The cost of making the rows, which every append step pays too.
Status generate_only(const StepArgs& a, StepResult* r) {
  char rec[kBpiRecordLength];
  uint64_t sum = 0, in_scan = 0;
  int64_t start = now_ns();
  for (uint64_t i = 0; i < a.rows; ++i) {
    BpiRows::Fill(i, rec);
    sum += static_cast<unsigned char>(rec[i % kBpiRecordLength]);
  }
  r->seconds = seconds_since(start);
  for (uint64_t i = 0; i < a.rows; ++i) in_scan += BpiRows::InScanCompetence(i);
  r->check = "count=" + std::to_string(in_scan) + " sum=" + std::to_string(sum);
  return Status::Ok();
}

// The BPI01 keys of every row, one a line, in record order: the input of
// the sort peer.
Status write_key_lines(const StepArgs& a, StepResult* r) {
  int64_t start = now_ns();
  FILE* f = std::fopen(key_lines_path(a).c_str(), "wb");
  if (!f) return Status::IoError("erro ao criar " + key_lines_path(a));
  for (uint64_t i = 0; i < a.rows; ++i) {
    std::string line = BpiRows::Key(i) + "\n";
    std::fwrite(line.data(), 1, line.size(), f);
  }
  if (std::fclose(f) != 0) return Status::IoError("erro ao gravar " + key_lines_path(a));
  r->seconds = seconds_since(start);
  r->check = "lines=" + std::to_string(a.rows);
  return Status::Ok();
}

}  // namespace kav::bench
