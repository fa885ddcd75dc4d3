// The steps on our engine.
#include <unistd.h>

#include <memory>
#include <vector>

#include "bpi_rows.h"
#include "cases.h"
#include "xbase/table.h"

namespace kav::bench {

using xbase::Table;

Status kav_append(const StepArgs& a, StepResult* r) {
  std::string dbf = kav_table(a);
  ::unlink(dbf.c_str());
  for (const BpiIndex& ix : kBpiIndexes) ::unlink(kav_index_path(a, ix.tag).c_str());
  const std::vector<int>& off = bpi_offsets();
  const std::vector<xbase::FieldDef>& fields = bpi_fields();
  char rec[kBpiRecordLength];

  int64_t start = now_ns();
  KAV_RETURN_IF_ERROR(Table::Create(dbf, fields));
  std::unique_ptr<Table> t;
  KAV_RETURN_IF_ERROR(Table::Open(dbf, &t));
  for (const BpiIndex& ix : kBpiIndexes) {
    KAV_RETURN_IF_ERROR(t->CreateIndex(kav_index_path(a, ix.tag), ix.expression, false));
    KAV_RETURN_IF_ERROR(t->AttachIndex(kav_index_path(a, ix.tag)));
  }
  for (uint64_t i = 0; i < a.rows; ++i) {
    BpiRows::Fill(i, rec);
    KAV_RETURN_IF_ERROR(t->Append());
    for (size_t f = 0; f < fields.size(); ++f)
      KAV_RETURN_IF_ERROR(
          t->put_raw(static_cast<int>(f), std::string_view(rec + off[f], fields[f].width)));
  }
  uint32_t count = t->record_count();
  KAV_RETURN_IF_ERROR(t->Close());
  r->seconds = seconds_since(start);
  r->check = "records=" + std::to_string(count);
  return Status::Ok();
}

Status kav_index(const StepArgs& a, StepResult* r) {
  std::string ntx = kav_index_path(a, "BPI01X");
  ::unlink(ntx.c_str());
  int64_t start = now_ns();
  std::unique_ptr<Table> t;
  KAV_RETURN_IF_ERROR(Table::Open(kav_table(a), &t));
  KAV_RETURN_IF_ERROR(t->CreateIndex(ntx, kBpiIndexes[0].expression, false));
  r->seconds = seconds_since(start);
  // Not timed: the new index holds every record in key order.
  std::unique_ptr<xbase::NtxIndex> index;
  KAV_RETURN_IF_ERROR(xbase::NtxIndex::Open(ntx, &index));
  uint64_t entries = 0;
  std::string last;
  bool ordered = true;
  KAV_RETURN_IF_ERROR(index->ForEach([&](std::string_view key, uint32_t) {
    ordered = ordered && last <= key;
    last.assign(key);
    ++entries;
    return Status::Ok();
  }));
  r->check = "entries=" + std::to_string(entries) + (ordered ? "" : " OUT-OF-ORDER");
  return t->Close();
}

Status kav_seek(const StepArgs& a, StepResult* r) {
  std::unique_ptr<Table> t;
  KAV_RETURN_IF_ERROR(Table::Open(kav_table(a), &t));
  KAV_RETURN_IF_ERROR(t->AttachIndex(kav_index_path(a, kBpiIndexes[0].tag)));
  KAV_RETURN_IF_ERROR(t->SetOrder(1));
  int name = bpi_field("BPI_NMPAC");
  char rec[kBpiRecordLength];
  uint64_t found = 0, sum = 0;
  int64_t start = now_ns();
  for (uint64_t n = 0; n < a.rows; ++n) {
    BpiRows::FillKey(seek_target(n, a.rows), rec);
    KAV_RETURN_IF_ERROR(t->Seek(std::string_view(rec + 1, kBpi01Length)));
    if (!t->found()) continue;
    ++found;
    std::string_view v = t->raw(name);
    sum += byte_sum(v.data(), v.size());
  }
  r->seconds = seconds_since(start);
  r->check = "found=" + std::to_string(found) + " sum=" + std::to_string(sum);
  return t->Close();
}

Status kav_scan(const StepArgs& a, StepResult* r) {
  int64_t start = now_ns();
  std::unique_ptr<Table> t;
  KAV_RETURN_IF_ERROR(Table::Open(kav_table(a), &t));
  int cmp = bpi_field("BPI_CMP");
  uint64_t count = 0;
  while (!t->eof()) {
    if (t->raw(cmp) == kScanCompetence) ++count;
    KAV_RETURN_IF_ERROR(t->Skip());
  }
  r->seconds = seconds_since(start);
  r->check = "count=" + std::to_string(count);
  return t->Close();
}

}  // namespace kav::bench
