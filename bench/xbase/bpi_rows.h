// The S_BPI layout (60 fields, 430-byte records) and a deterministic
// generator of plausible rows, so that every peer of the benchmark works on
// exactly the same data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "xbase/field.h"

namespace kav::bench {

constexpr int kBpiRecordLength = 430;  // deletion flag included
constexpr int kBpi01Length = 39;       // BPI_UID+BPI_CMP+BPI_CNSMED+BPI_CBO+BPI_FLH+BPI_SEQ

struct BpiIndex {
  const char* tag;
  const char* expression;
};
extern const BpiIndex kBpiIndexes[4];

// Field definitions in record order; offsets count the deletion flag.
const std::vector<xbase::FieldDef>& bpi_fields();
const std::vector<int>& bpi_offsets();
int bpi_field(const char* name);  // position in bpi_fields(); aborts when absent

// The competence that a third of the rows carry (for the scan).
extern const char kScanCompetence[7];

class BpiRows {
 public:
  // Writes row `i` (0-based) as a whole DBF record: deletion flag blank,
  // then the 60 fields.
  static void Fill(uint64_t i, char* rec);
  // Writes only the six BPI01 fields of row `i` into a record image; the
  // BPI01 key is unique per row.
  static void FillKey(uint64_t i, char* rec);
  // The 39 bytes of the BPI01 key of row `i`.
  static std::string Key(uint64_t i);
  // Whether row `i` carries kScanCompetence.
  static bool InScanCompetence(uint64_t i);
};

// A small deterministic generator (splitmix64).
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed) {}
  uint64_t Next() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint64_t Below(uint64_t n) { return Next() % n; }

 private:
  uint64_t s_;
};

}  // namespace kav::bench
