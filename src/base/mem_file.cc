#include "base/mem_file.h"

#include <cstring>

#include "base/latin1.h"
#include "base/replacing_file.h"

namespace kav {

namespace {

constexpr size_t kHeader = 32;

std::string stored_name(std::string_view name) {
  return latin1_upper(name.substr(0, 10));
}

}  // namespace

Status MemFile::Read(const std::string& path, MemFile* out) {
  out->vars_.clear();
  std::string data;
  Status st = read_file(path, &data);
  if (st.is_not_found()) return Status::Ok();
  KAV_RETURN_IF_ERROR(st);
  auto bad = [&]() { return Status::Corrupt("arquivo de variaveis danificado: " + path); };
  size_t at = 0;
  while (at < data.size() && data[at] != 0x1A) {
    if (at + kHeader > data.size()) return bad();
    const char* h = data.data() + at;
    MemVar v;
    v.name.assign(h, strnlen(h, 11));
    unsigned char type = static_cast<unsigned char>(h[11]);
    size_t len = static_cast<unsigned char>(h[16]) | (static_cast<unsigned char>(h[17]) << 8);
    at += kHeader;
    switch (type) {
      case 0xC3:  // text: its characters and a zero byte
        if (len < 1 || at + len > data.size()) return bad();
        v.type = 'C';
        v.text.assign(data, at, len - 1);
        at += len;
        break;
      case 0xCC:  // logical: one byte
        if (at + 1 > data.size()) return bad();
        v.type = 'L';
        v.logical = data[at] != 0;
        at += 1;
        break;
      case 0xCE:  // number: an 8-byte double, not used by our files; skipped
      case 0xC4:  // date: likewise
        if (at + 8 > data.size()) return bad();
        at += 8;
        continue;
      default:
        return bad();
    }
    if (v.name.empty()) return bad();
    out->vars_.push_back(std::move(v));
  }
  return Status::Ok();
}

Status MemFile::Write(const std::string& path) const {
  std::string data;
  for (const MemVar& v : vars_) {
    std::string h(kHeader, '\0');
    std::memcpy(&h[0], v.name.data(), std::min<size_t>(v.name.size(), 10));
    if (v.type == 'L') {
      h[11] = static_cast<char>(0xCC);
      h[16] = 1;
      data += h;
      data.push_back(v.logical ? 1 : 0);
      continue;
    }
    if (v.text.size() + 1 > 0xFFFF) return Status::Invalid("valor longo demais para " + v.name);
    size_t len = v.text.size() + 1;
    h[11] = static_cast<char>(0xC3);
    h[16] = static_cast<char>(len & 0xFF);
    h[17] = static_cast<char>(len >> 8);
    data += h;
    data += v.text;
    data.push_back('\0');
  }
  data.push_back(0x1A);
  return replace_file_contents(path, data);
}

const MemVar* MemFile::Find(std::string_view name) const {
  std::string key = stored_name(name);
  for (const MemVar& v : vars_)
    if (v.name == key) return &v;
  return nullptr;
}

std::optional<std::string> MemFile::text(std::string_view name) const {
  const MemVar* v = Find(name);
  if (!v || v->type != 'C') return std::nullopt;
  return v->text;
}

std::optional<bool> MemFile::logical(std::string_view name) const {
  const MemVar* v = Find(name);
  if (!v || v->type != 'L') return std::nullopt;
  return v->logical;
}

MemVar& MemFile::Slot(std::string_view name) {
  std::string key = stored_name(name);
  for (MemVar& v : vars_)
    if (v.name == key) return v;
  vars_.push_back(MemVar{key, 'C', "", false});
  return vars_.back();
}

void MemFile::set_text(std::string_view name, std::string_view value) {
  MemVar& v = Slot(name);
  v.type = 'C';
  v.text = std::string(value);
}

void MemFile::set_logical(std::string_view name, bool value) {
  MemVar& v = Slot(name);
  v.type = 'L';
  v.logical = value;
}

}  // namespace kav
