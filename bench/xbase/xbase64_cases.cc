// The scan step on Debian's xbase64, which reads our table. (Its appends do
// not work on 64-bit Linux; see bench/RESULTS.md.)
#include <xbase64/xbase64.h>

#include <cstring>

#include "bpi_rows.h"
#include "cases.h"

namespace kav::bench {

Status xbase64_scan(const StepArgs& a, StepResult* r) {
  int cmp = bpi_offsets()[bpi_field("BPI_CMP")];
  int64_t start = now_ns();
  xbXBase x;
  xbDbf d(&x);
  xbShort rc = d.OpenDatabase(kav_table(a).c_str());
  if (rc != XB_NO_ERROR) return Status::IoError(std::string("xbase64: ") + x.GetErrorMessage(rc));
  d.AutoLockOff();
  // Its record count is unreliable on 64-bit Linux: stop at the known count.
  uint64_t seen = 0, count = 0;
  for (rc = d.GetFirstRecord(); rc == XB_NO_ERROR && seen < a.rows; rc = d.GetNextRecord()) {
    ++seen;
    if (std::memcmp(d.GetRecordBuf() + cmp, kScanCompetence, 6) == 0) ++count;
  }
  d.CloseDatabase();
  r->seconds = seconds_since(start);
  if (seen != a.rows) return Status::IoError("xbase64: leu " + std::to_string(seen) + " registros");
  r->check = "count=" + std::to_string(count);
  return Status::Ok();
}

}  // namespace kav::bench
