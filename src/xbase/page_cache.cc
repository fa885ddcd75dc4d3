#include "xbase/page_cache.h"

#include <cstring>

namespace kav::xbase {

PageCache::PageCache(File* file, size_t capacity_pages)
    : file_(file), capacity_(capacity_pages < 16 ? 16 : capacity_pages), end_(file->size()) {
  map_.reserve(capacity_ * 2);
}

Status PageCache::WriteFrame(Frame* f) {
  if (!f->dirty) return Status::Ok();
  KAV_RETURN_IF_ERROR(file_->Write(f->offset, f->data, kPageSize));
  f->dirty = false;
  return Status::Ok();
}

// Clock replacement: a frame referenced since the hand last passed gets a
// second chance.
Status PageCache::Victim(Frame** out) {
  if (frames_.size() < capacity_) {
    frames_.push_back(std::make_unique<Frame>());
    *out = frames_.back().get();
    return Status::Ok();
  }
  for (;;) {
    Frame* f = frames_[hand_].get();
    hand_ = (hand_ + 1) % frames_.size();
    if (f->referenced) {
      f->referenced = false;
      continue;
    }
    KAV_RETURN_IF_ERROR(WriteFrame(f));
    map_.erase(f->offset);
    f->used = false;
    *out = f;
    return Status::Ok();
  }
}

Status PageCache::Get(uint32_t offset, char** page) {
  auto it = map_.find(offset);
  if (it != map_.end()) {
    it->second->referenced = true;
    *page = it->second->data;
    return Status::Ok();
  }
  if (offset % kPageSize != 0 || offset == 0 || offset + static_cast<uint64_t>(kPageSize) > end_)
    return Status::Corrupt("indice danificado (pagina fora do arquivo): " + file_->path());
  Frame* f = nullptr;
  KAV_RETURN_IF_ERROR(Victim(&f));
  KAV_RETURN_IF_ERROR(file_->Read(offset, kPageSize, f->data));
  f->offset = offset;
  f->used = true;
  f->dirty = false;
  f->referenced = true;
  map_[offset] = f;
  *page = f->data;
  return Status::Ok();
}

void PageCache::MarkDirty(uint32_t offset) {
  auto it = map_.find(offset);
  if (it != map_.end()) it->second->dirty = true;
}

Status PageCache::Allocate(uint32_t* offset, char** page) {
  if (end_ + kPageSize > 0xFFFFFFFFull) return Status::IoError("indice grande demais: " + file_->path());
  Frame* f = nullptr;
  KAV_RETURN_IF_ERROR(Victim(&f));
  f->offset = static_cast<uint32_t>(end_);
  end_ += kPageSize;
  std::memset(f->data, 0, kPageSize);
  f->used = true;
  f->dirty = true;
  f->referenced = true;
  map_[f->offset] = f;
  *offset = f->offset;
  *page = f->data;
  return Status::Ok();
}

Status PageCache::FlushAll() {
  for (auto& f : frames_)
    if (f->used) KAV_RETURN_IF_ERROR(WriteFrame(f.get()));
  return Status::Ok();
}

}  // namespace kav::xbase
