#include "xbase/index_sort.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <queue>

#include "xbase/little_endian.h"
#include "xbase/ntx.h"

namespace kav::xbase {

namespace {


uint64_t prefix8(const char* k, int n) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v = (v << 8) | (i < n ? static_cast<unsigned char>(k[i]) : 0);
  return v;
}

// Sequential reader of one sorted run file.
class RunReader {
 public:
  RunReader(const std::string& path, size_t entry) : entry_(entry), buf_(entry * 4096) {
    f_ = std::fopen(path.c_str(), "rb");
  }
  ~RunReader() {
    if (f_) std::fclose(f_);
  }
  Status Next(bool* more) {
    if (pos_ + entry_ > len_) {
      if (!f_) return Status::IoError("erro ao ler ordenacao temporaria");
      len_ = std::fread(buf_.data(), 1, buf_.size(), f_);
      pos_ = 0;
      if (len_ == 0) {
        *more = false;
        return std::ferror(f_) ? Status::IoError("erro ao ler ordenacao temporaria") : Status::Ok();
      }
      if (len_ % entry_) return Status::IoError("ordenacao temporaria truncada");
    } else {
      pos_ += entry_;
      if (pos_ + entry_ > len_) return Next(more);
    }
    *more = true;
    return Status::Ok();
  }
  const char* entry() const { return buf_.data() + pos_; }

 private:
  FILE* f_;
  size_t entry_;
  std::vector<char> buf_;
  size_t pos_ = 0, len_ = 0;
};

}  // namespace

IndexSorter::IndexSorter(int key_size, bool unique, std::string scratch, size_t budget)
    : key_size_(key_size),
      entry_(static_cast<size_t>(key_size) + 4),
      unique_(unique),
      scratch_(std::move(scratch)),
      budget_(std::max<size_t>(budget, entry_ * 16)) {}

IndexSorter::~IndexSorter() {
  for (const std::string& r : runs_) ::unlink(r.c_str());
}

Status IndexSorter::Add(std::string_view key, uint32_t recno) {
  size_t at = buf_.size();
  buf_.resize(at + entry_);
  std::memcpy(&buf_[at], key.data(), static_cast<size_t>(key_size_));
  wr32(&buf_[at + key_size_], recno);
  if (buf_.size() + entry_ > budget_) return SpillRun();
  return Status::Ok();
}

// Orders the buffered entries by key, then by arrival (record order).
void IndexSorter::SortBuffer(std::vector<uint32_t>* order) const {
  size_t n = buf_.size() / entry_;
  struct Slot {
    uint64_t prefix;
    uint32_t idx;
  };
  std::vector<Slot> slots(n);
  for (size_t i = 0; i < n; ++i)
    slots[i] = {prefix8(buf_.data() + i * entry_, key_size_), static_cast<uint32_t>(i)};
  const char* base = buf_.data();
  size_t entry = entry_;
  int tail = key_size_ > 8 ? key_size_ - 8 : 0;
  std::sort(slots.begin(), slots.end(), [&](const Slot& a, const Slot& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (tail) {
      int c = std::memcmp(base + a.idx * entry + 8, base + b.idx * entry + 8, static_cast<size_t>(tail));
      if (c) return c < 0;
    }
    return a.idx < b.idx;
  });
  order->resize(n);
  for (size_t i = 0; i < n; ++i) (*order)[i] = slots[i].idx;
}

Status IndexSorter::SpillRun() {
  std::vector<uint32_t> order;
  SortBuffer(&order);
  std::string path = scratch_ + ".run" + std::to_string(runs_.size()) + "." + std::to_string(::getpid());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return Status::IoError("erro ao criar ordenacao temporaria: " + path);
  runs_.push_back(path);
  for (uint32_t i : order) {
    if (std::fwrite(buf_.data() + i * entry_, 1, entry_, f) != entry_) {
      std::fclose(f);
      return Status::IoError("erro ao gravar ordenacao temporaria: " + path);
    }
  }
  if (std::fclose(f) != 0) return Status::IoError("erro ao gravar ordenacao temporaria: " + path);
  buf_.clear();
  buf_.shrink_to_fit();
  return Status::Ok();
}

Status IndexSorter::Write(const std::string& ntx_path, std::string_view expression, int decimals) {
  auto same_key = [&](const char* a, const char* b) {
    return std::memcmp(a, b, static_cast<size_t>(key_size_)) == 0;
  };
  if (runs_.empty()) {  // everything in memory
    std::vector<uint32_t> order;
    SortBuffer(&order);
    if (unique_) {
      std::vector<uint32_t> kept;
      for (uint32_t i : order)
        if (kept.empty() || !same_key(buf_.data() + kept.back() * entry_, buf_.data() + i * entry_))
          kept.push_back(i);
      order.swap(kept);
    }
    size_t next = 0;
    return NtxIndex::Build(ntx_path, expression, key_size_, decimals, unique_, order.size(),
                           [&](std::string_view* key, uint32_t* recno, bool* more) {
                             *more = next < order.size();
                             if (*more) {
                               const char* e = buf_.data() + order[next++] * entry_;
                               *key = std::string_view(e, static_cast<size_t>(key_size_));
                               *recno = rd32(e + key_size_);
                             }
                             return Status::Ok();
                           });
  }
  if (!buf_.empty()) KAV_RETURN_IF_ERROR(SpillRun());

  // k-way merge of the runs; run order breaks ties, so record order holds.
  struct Merge {
    std::vector<std::unique_ptr<RunReader>> readers;
    std::vector<int> heap;
    std::string last;
  };
  auto open_merge = [&](Merge* m) -> Status {
    m->readers.clear();
    m->heap.clear();
    m->last.clear();
    for (const std::string& r : runs_) {
      m->readers.push_back(std::make_unique<RunReader>(r, entry_));
      bool more = false;
      KAV_RETURN_IF_ERROR(m->readers.back()->Next(&more));
      if (more) m->heap.push_back(static_cast<int>(m->readers.size() - 1));
    }
    return Status::Ok();
  };
  auto greater = [&](Merge* m) {
    return [this, m](int a, int b) {
      int c = std::memcmp(m->readers[a]->entry(), m->readers[b]->entry(), static_cast<size_t>(key_size_));
      return c != 0 ? c > 0 : a > b;
    };
  };
  // Next entry of the merge, skipping repeated keys of a unique index.
  auto next_entry = [&](Merge* m, const char** out, bool* more) -> Status {
    auto cmp = greater(m);
    for (;;) {
      if (m->heap.empty()) {
        *more = false;
        return Status::Ok();
      }
      std::pop_heap(m->heap.begin(), m->heap.end(), cmp);
      int r = m->heap.back();
      m->heap.pop_back();
      const char* e = m->readers[r]->entry();
      bool skip = unique_ && !m->last.empty() && same_key(m->last.data(), e);
      m->last.assign(e, entry_);
      bool has = false;
      KAV_RETURN_IF_ERROR(m->readers[r]->Next(&has));
      if (has) {
        m->heap.push_back(r);
        std::push_heap(m->heap.begin(), m->heap.end(), cmp);
      }
      if (!skip) {
        *out = m->last.data();
        *more = true;
        return Status::Ok();
      }
    }
  };
  Merge m;
  KAV_RETURN_IF_ERROR(open_merge(&m));
  std::make_heap(m.heap.begin(), m.heap.end(), greater(&m));
  uint64_t count = 0;
  for (;;) {  // the tree's shape needs the count of entries first
    const char* e = nullptr;
    bool more = false;
    KAV_RETURN_IF_ERROR(next_entry(&m, &e, &more));
    if (!more) break;
    ++count;
  }
  KAV_RETURN_IF_ERROR(open_merge(&m));
  std::make_heap(m.heap.begin(), m.heap.end(), greater(&m));
  return NtxIndex::Build(ntx_path, expression, key_size_, decimals, unique_, count,
                         [&](std::string_view* key, uint32_t* recno, bool* more) {
                           const char* e = nullptr;
                           KAV_RETURN_IF_ERROR(next_entry(&m, &e, more));
                           if (*more) {
                             *key = std::string_view(e, static_cast<size_t>(key_size_));
                             *recno = rd32(e + key_size_);
                           }
                           return Status::Ok();
                         });
}

}  // namespace kav::xbase
