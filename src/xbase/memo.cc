#include "xbase/memo.h"

#include <cstring>

namespace kav::xbase {

namespace {
constexpr int kBlock = 512;

std::string header_block(uint32_t next) {
  std::string b(kBlock, '\0');
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((next >> (8 * i)) & 0xFF);
  b[16] = 0x03;
  return b;
}
}  // namespace

Status MemoFile::Create(const std::string& path) {
  std::unique_ptr<File> f;
  KAV_RETURN_IF_ERROR(File::Create(path, &f));
  std::string b = header_block(1);
  return f->Write(0, b.data(), b.size());
}

Status MemoFile::Open(const std::string& path, std::unique_ptr<MemoFile>* out) {
  std::unique_ptr<File> f;
  KAV_RETURN_IF_ERROR(File::Open(path, &f));
  char b[4];
  if (f->size() < 4) return Status::Corrupt("arquivo de memorando danificado: " + path);
  KAV_RETURN_IF_ERROR(f->Read(0, 4, b));
  uint32_t next = 0;
  for (int i = 0; i < 4; ++i) next |= static_cast<uint32_t>(static_cast<unsigned char>(b[i])) << (8 * i);
  uint64_t blocks = (f->size() + kBlock - 1) / kBlock;
  if (next < 1) next = 1;
  if (next < blocks) next = static_cast<uint32_t>(blocks);
  out->reset(new MemoFile(std::move(f), next));
  return Status::Ok();
}

Status MemoFile::Read(uint32_t block, std::string* text) const {
  text->clear();
  if (block == 0) return Status::Ok();
  uint64_t pos = static_cast<uint64_t>(block) * kBlock;
  if (pos >= file_->size()) return Status::Corrupt("memorando fora do arquivo: " + file_->path());
  char buf[kBlock];
  for (;;) {
    size_t got = 0;
    KAV_RETURN_IF_ERROR(file_->ReadSome(pos, kBlock, buf, &got));
    if (got == 0) return Status::Ok();  // unterminated last memo: its text up to the end
    for (size_t i = 0; i < got; ++i) {
      if (buf[i] == 0x1A) {
        text->append(buf, i);
        return Status::Ok();
      }
    }
    text->append(buf, got);
    pos += got;
  }
}

Status MemoFile::Write(std::string_view text, uint32_t* block) {
  if (text.empty()) {
    *block = 0;
    return Status::Ok();
  }
  if (text.find('\x1A') != std::string_view::npos)
    return Status::Invalid("memorando com caractere 0x1A: " + file_->path());
  std::string data(text);
  data += "\x1A\x1A";
  data.resize((data.size() + kBlock - 1) / kBlock * kBlock, '\0');
  *block = next_;
  KAV_RETURN_IF_ERROR(file_->Write(static_cast<uint64_t>(next_) * kBlock, data.data(), data.size()));
  next_ += static_cast<uint32_t>(data.size() / kBlock);
  dirty_ = true;
  return Status::Ok();
}

Status MemoFile::Flush() {
  if (!dirty_) return Status::Ok();
  std::string b = header_block(next_);
  KAV_RETURN_IF_ERROR(file_->Write(0, b.data(), 4));
  dirty_ = false;
  return Status::Ok();
}

}  // namespace kav::xbase
