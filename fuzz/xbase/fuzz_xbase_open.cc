// Opens a table and an index made of fuzzer bytes and walks them: every
// input must give an error status or a walk, never a crash or a hang.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/replacing_file.h"
#include "xbase/table.h"

namespace {

std::string scratch() {
  static std::string dir = [] {
    char tmpl[] = "/tmp/kavfuzz.XXXXXX";
    const char* d = ::mkdtemp(tmpl);
    return std::string(d ? d : "/tmp");
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using kav::xbase::Table;
  // The first two bytes give the length of the table part; the rest is the index.
  if (size < 2) return 0;
  size_t split = std::min<size_t>(size - 2, static_cast<size_t>(data[0] | (data[1] << 8)));
  std::string dbf(reinterpret_cast<const char*>(data + 2), split);
  std::string ntx(reinterpret_cast<const char*>(data + 2 + split), size - 2 - split);
  std::string dir = scratch();
  if (!kav::replace_file_contents(dir + "/F.DBF", dbf).ok()) return 0;
  if (!kav::replace_file_contents(dir + "/F.NTX", ntx).ok()) return 0;
  std::unique_ptr<Table> t;
  if (!Table::Open(dir + "/F.DBF", &t).ok()) return 0;
  int steps = 0;
  for (kav::Status st = t->GoTop(); st.ok() && !t->eof() && steps < 10000; ++steps) st = t->Skip(1);
  if (t->AttachIndex(dir + "/F.NTX").ok() && t->SetOrder(1).ok()) {
    steps = 0;
    for (kav::Status st = t->GoTop(); st.ok() && !t->eof() && steps < 10000; ++steps) st = t->Skip(1);
    (void)t->Seek("A");
    steps = 0;
    for (kav::Status st = t->GoBottom(); st.ok() && !t->eof() && !t->bof() && steps < 10000; ++steps)
      st = t->Skip(-1);
  }
  return 0;
}
