#include "xbase/table.h"
#include "xbase/little_endian.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "base/clock.h"
#include "base/file_resolver.h"
#include "base/latin1.h"
#include "base/money.h"
#include "base/val.h"
#include "base/replacing_file.h"
#include "xbase/index_sort.h"

namespace kav::xbase {

namespace {

constexpr size_t kWindowBytes = 64 * 1024;
constexpr size_t kAppendBytes = 1 << 20;


std::string memo_path_for(const std::string& dbf) {
  std::string base = dbf;
  size_t dot = base.rfind('.');
  size_t slash = base.rfind('/');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base.resize(dot);
  return base + ".DBT";
}

// The header of a table: 32 bytes, one 32-byte descriptor per field, 0x0D.
std::string encode_header(uint8_t version, uint32_t count, int rec_len,
                          const std::vector<Field>& fields) {
  uint32_t header_len = 32 + 32 * static_cast<uint32_t>(fields.size()) + 1;
  std::string h(header_len, '\0');
  h[0] = static_cast<char>(version);
  Date today = current_clock().now().date;
  h[1] = static_cast<char>(today.year() - 1900 > 255 ? 255 : today.year() - 1900);
  h[2] = static_cast<char>(today.month());
  h[3] = static_cast<char>(today.day());
  wr32(&h[4], count);
  wr16(&h[8], header_len);
  wr16(&h[10], static_cast<uint32_t>(rec_len));
  for (size_t i = 0; i < fields.size(); ++i) {
    char* d = &h[32 + 32 * i];
    const FieldDef& f = fields[i].def;
    std::memcpy(d, f.name.data(), std::min<size_t>(f.name.size(), 10));
    d[11] = f.type;
    if (f.type == 'C') {  // wide text fields keep the high byte in the decimals
      d[16] = static_cast<char>(f.width & 0xFF);
      d[17] = static_cast<char>(f.width >> 8);
    } else {
      d[16] = static_cast<char>(f.width);
      d[17] = static_cast<char>(f.decimals);
    }
  }
  h[header_len - 1] = 0x0D;
  return h;
}

}  // namespace

// ---------------------------------------------------------------------------
// Creating and opening

Status Table::Create(const std::string& path, const std::vector<FieldDef>& defs) {
  if (access(path.c_str(), F_OK) == 0) return Status::Invalid("tabela ja existe: " + path);
  std::vector<Field> fields;
  int offset = 1;
  bool memo = false;
  for (FieldDef d : defs) {
    KAV_RETURN_IF_ERROR(normalise_field(&d));
    for (const Field& g : fields)
      if (g.def.name == d.name) return Status::Invalid("campo repetido: " + d.name);
    memo = memo || d.type == 'M';
    fields.push_back({d, offset});
    offset += d.width;
  }
  if (fields.empty() || offset > 65535) return Status::Invalid("estrutura invalida: " + path);
  std::string h = encode_header(memo ? 0x83 : 0x03, 0, offset, fields);
  h.push_back(0x1A);
  if (memo) KAV_RETURN_IF_ERROR(MemoFile::Create(memo_path_for(path)));
  return replace_file_contents(path, h);
}

Status Table::Open(const std::string& path, std::unique_ptr<Table>* out) {
  std::unique_ptr<Table> t(new Table());
  t->path_ = path;
  KAV_RETURN_IF_ERROR(File::Open(path, &t->file_));
  KAV_RETURN_IF_ERROR(t->ReadHeader());
  bool memo = false;
  for (const Field& f : t->fields_) memo = memo || f.def.type == 'M';
  if (memo) {
    auto dbt = resolve_path(memo_path_for(path));
    if (!dbt) return Status::NotFound("arquivo de memorando nao encontrado: " + memo_path_for(path));
    KAV_RETURN_IF_ERROR(MemoFile::Open(*dbt, &t->memo_));
  }
  t->LoadPhantom();
  Status st = t->GoTop();
  if (!st.ok()) return st;
  *out = std::move(t);
  return Status::Ok();
}

Status Table::ReadHeader() {
  auto bad = [&](const char* why) {
    return Status::Corrupt(std::string("tabela danificada (") + why + "): " + path_);
  };
  if (file_->size() < 33) return bad("cabecalho curto");
  char h[32];
  KAV_RETURN_IF_ERROR(file_->Read(0, 32, h));
  version_ = static_cast<uint8_t>(h[0]);
  if ((version_ & 0x07) != 0x03) return bad("versao desconhecida");
  count_ = rd32(h + 4);
  header_len_ = rd16(h + 8);
  rec_len_ = rd16(h + 10);
  if (header_len_ < 33 || header_len_ > file_->size()) return bad("tamanho do cabecalho");
  std::string desc(header_len_ - 32, '\0');
  KAV_RETURN_IF_ERROR(file_->Read(32, desc.size(), desc.data()));
  int offset = 1;
  for (size_t at = 0; at + 32 <= desc.size() && desc[at] != 0x0D; at += 32) {
    const char* d = desc.data() + at;
    FieldDef f;
    f.name.assign(d, strnlen(d, 11));
    f.name = latin1_upper(f.name);
    f.type = latin1_upper(d[11]);
    f.width = static_cast<unsigned char>(d[16]);
    f.decimals = static_cast<unsigned char>(d[17]);
    if (f.type == 'F') f.type = 'N';
    if (f.type == 'C') {
      f.width += f.decimals * 256;
      f.decimals = 0;
    }
    if (f.name.empty() || f.width < 1 || !std::strchr("CNDLM", f.type) || f.type == '\0')
      return bad("campo invalido");
    by_name_[f.name] = static_cast<int>(fields_.size());
    fields_.push_back({f, offset});
    offset += f.width;
  }
  if (fields_.empty()) return bad("sem campos");
  if (offset != rec_len_) return bad("tamanho do registro");
  uint64_t need = header_len_ + static_cast<uint64_t>(count_) * static_cast<uint64_t>(rec_len_);
  if (file_->size() < need) return bad("area de registros truncada");
  disk_count_ = count_;
  rec_.assign(static_cast<size_t>(rec_len_), ' ');
  return Status::Ok();
}

Status Table::WriteHeader() {
  std::string h = encode_header(version_, count_, rec_len_, fields_);
  // Only the 32-byte prefix changes; the descriptors stay as they are.
  KAV_RETURN_IF_ERROR(file_->Write(0, h.data(), 12));
  char eof = 0x1A;
  uint64_t end = header_len_ + static_cast<uint64_t>(count_) * static_cast<uint64_t>(rec_len_);
  KAV_RETURN_IF_ERROR(file_->Write(end, &eof, 1));
  changed_ = false;
  return Status::Ok();
}

Table::~Table() {
  Status ignored = Close();
  (void)ignored;
}

Status Table::Flush() {
  if (!file_) return Status::Ok();
  KAV_RETURN_IF_ERROR(Commit());
  KAV_RETURN_IF_ERROR(FlushAppends());
  if (changed_) KAV_RETURN_IF_ERROR(WriteHeader());
  if (memo_) KAV_RETURN_IF_ERROR(memo_->Flush());
  for (Index& ix : indexes_) KAV_RETURN_IF_ERROR(ix.ntx->Flush());
  return Status::Ok();
}

Status Table::Close() {
  if (!file_) return Status::Ok();
  Status st = Flush();
  indexes_.clear();
  memo_.reset();
  file_.reset();
  return st;
}

int Table::field_index(std::string_view name) const {
  auto it = by_name_.find(latin1_upper(name));
  return it == by_name_.end() ? -1 : it->second;
}

// ---------------------------------------------------------------------------
// Records

Status Table::ReadRecord(uint32_t recno, char* dst) {
  if (recno > disk_count_) {
    std::memcpy(dst, appends_.data() + static_cast<size_t>(recno - disk_count_ - 1) * rec_len_,
                static_cast<size_t>(rec_len_));
    return Status::Ok();
  }
  if (recno >= window_first_ && recno < window_first_ + window_count_) {
    std::memcpy(dst, window_.data() + static_cast<size_t>(recno - window_first_) * rec_len_,
                static_cast<size_t>(rec_len_));
    return Status::Ok();
  }
  uint64_t pos = header_len_ + static_cast<uint64_t>(recno - 1) * static_cast<uint64_t>(rec_len_);
  if (recno == last_loaded_ + 1 || recno + 1 == last_loaded_) {
    // Walking in record order: read a window of records around the walk.
    uint32_t per = std::max<uint32_t>(1, static_cast<uint32_t>(kWindowBytes / rec_len_));
    uint32_t first = recno == last_loaded_ + 1 ? recno : (recno > per ? recno - per + 1 : 1);
    uint32_t n = std::min(per, disk_count_ - first + 1);
    window_.resize(static_cast<size_t>(n) * rec_len_);
    uint64_t at = header_len_ + static_cast<uint64_t>(first - 1) * static_cast<uint64_t>(rec_len_);
    KAV_RETURN_IF_ERROR(file_->Read(at, window_.size(), window_.data()));
    window_first_ = first;
    window_count_ = n;
    std::memcpy(dst, window_.data() + static_cast<size_t>(recno - first) * rec_len_,
                static_cast<size_t>(rec_len_));
    return Status::Ok();
  }
  return file_->Read(pos, static_cast<size_t>(rec_len_), dst);
}

void Table::LoadPhantom() {
  cur_ = count_ + 1;
  rec_.assign(static_cast<size_t>(rec_len_), ' ');
  eof_ = true;
  is_new_ = false;
  dirty_ = false;
}

Status Table::Load(uint32_t recno) {
  KAV_RETURN_IF_ERROR(Commit());
  if (recno < 1 || recno > count_) {
    LoadPhantom();
    return Status::Ok();
  }
  KAV_RETURN_IF_ERROR(ReadRecord(recno, rec_.data()));
  last_loaded_ = recno;
  cur_ = recno;
  eof_ = false;
  return Status::Ok();
}

Status Table::FlushAppends() {
  if (appends_.empty()) return Status::Ok();
  uint64_t at = header_len_ + static_cast<uint64_t>(disk_count_) * static_cast<uint64_t>(rec_len_);
  KAV_RETURN_IF_ERROR(file_->Write(at, appends_.data(), appends_.size()));
  disk_count_ = count_;
  appends_.clear();
  return WriteHeader();
}

// Before the first change of a loaded record its index keys are noted, so
// that the indexes can be moved when the record is written.
Status Table::MarkDirty() {
  if (eof_) return Status::Invalid("sem registro corrente (fim de arquivo): " + path_);
  if (!dirty_) {
    for (Index& ix : indexes_) ix.old_key = ix.key.Eval(rec_.data());
    dirty_ = true;
  }
  return Status::Ok();
}

Status Table::Commit() {
  if (!dirty_) return Status::Ok();
  dirty_ = false;
  for (Index& ix : indexes_) {
    std::string key = ix.key.Eval(rec_.data());
    if (is_new_) {
      ix.ntx->InsertLater(key, cur_);
    } else if (key != ix.old_key) {
      KAV_RETURN_IF_ERROR(ix.ntx->Remove(ix.old_key, cur_));
      KAV_RETURN_IF_ERROR(ix.ntx->Insert(key, cur_));
    }
  }
  changed_ = true;
  if (cur_ > disk_count_) {
    std::memcpy(appends_.data() + static_cast<size_t>(cur_ - disk_count_ - 1) * rec_len_, rec_.data(),
                static_cast<size_t>(rec_len_));
    is_new_ = false;
    if (appends_.size() >= kAppendBytes) return FlushAppends();
    return Status::Ok();
  }
  is_new_ = false;
  if (cur_ >= window_first_ && cur_ < window_first_ + window_count_)
    std::memcpy(window_.data() + static_cast<size_t>(cur_ - window_first_) * rec_len_, rec_.data(),
                static_cast<size_t>(rec_len_));
  uint64_t pos = header_len_ + static_cast<uint64_t>(cur_ - 1) * static_cast<uint64_t>(rec_len_);
  return file_->Write(pos, rec_.data(), static_cast<size_t>(rec_len_));
}

std::string_view Table::raw(int field) const {
  const Field& f = fields_[static_cast<size_t>(field)];
  return std::string_view(rec_).substr(static_cast<size_t>(f.offset), static_cast<size_t>(f.def.width));
}

Status Table::memo(int field, std::string* text) const {
  text->clear();
  if (!memo_) return Status::Invalid("tabela sem memorando: " + path_);
  int64_t block = val_int(raw(field));
  if (block <= 0) return Status::Ok();
  return memo_->Read(static_cast<uint32_t>(block), text);
}

Status Table::put_raw(int field, std::string_view bytes) {
  KAV_RETURN_IF_ERROR(MarkDirty());
  const Field& f = fields_[static_cast<size_t>(field)];
  size_t w = static_cast<size_t>(f.def.width);
  size_t n = std::min(w, bytes.size());
  std::memcpy(&rec_[static_cast<size_t>(f.offset)], bytes.data(), n);
  std::memset(&rec_[static_cast<size_t>(f.offset) + n], ' ', w - n);
  return Status::Ok();
}

Status Table::put(int field, std::string_view value) {
  const Field& f = fields_[static_cast<size_t>(field)];
  auto invalid = [&]() {
    return Status::Invalid("valor invalido para " + f.def.name + ": " + std::string(value));
  };
  switch (f.def.type) {
    case 'N': {
      if (value.find_first_not_of(' ') == std::string_view::npos) return put_raw(field, "");
      int64_t v = 0;
      if (!parse_number(value, f.def.decimals, &v).ok()) return invalid();
      std::string text;
      if (!format_number(v, f.def.decimals, f.def.width, f.def.decimals, &text).ok()) {
        return Status::Invalid("valor nao cabe em " + f.def.name + ": " + std::string(value));
      }
      return put_raw(field, text);
    }
    case 'D': {
      bool blank = value.find_first_not_of(' ') == std::string_view::npos;
      if (!blank && !Date::parse(value)) return invalid();
      return put_raw(field, blank ? "" : value);
    }
    case 'L': {
      char c = value.empty() ? ' ' : latin1_upper(value[0]);
      if (c == 'Y' || c == 'S') c = 'T';
      if (c != 'T' && c != 'F' && c != ' ' && c != '?') return invalid();
      return put_raw(field, std::string(1, c == ' ' ? '?' : c));
    }
    case 'M': {
      KAV_RETURN_IF_ERROR(MarkDirty());
      uint32_t block = 0;
      KAV_RETURN_IF_ERROR(memo_->Write(value, &block));
      if (block == 0) return put_raw(field, "");
      std::string text = std::to_string(block);
      return put_raw(field, std::string(10 - text.size(), ' ') + text);
    }
    default:
      return put_raw(field, value);
  }
}

Status Table::Append() {
  KAV_RETURN_IF_ERROR(Commit());
  if (count_ == 0xFFFFFFFEu) return Status::IoError("tabela cheia: " + path_);
  ++count_;
  appends_.append(static_cast<size_t>(rec_len_), ' ');
  cur_ = count_;
  rec_.assign(static_cast<size_t>(rec_len_), ' ');
  eof_ = false;
  bof_ = false;
  is_new_ = true;
  dirty_ = true;
  changed_ = true;
  return Status::Ok();
}

Status Table::Delete() {
  KAV_RETURN_IF_ERROR(MarkDirty());
  rec_[0] = '*';
  return Status::Ok();
}

Status Table::Recall() {
  KAV_RETURN_IF_ERROR(MarkDirty());
  rec_[0] = ' ';
  return Status::Ok();
}

// ---------------------------------------------------------------------------
// Navigation

bool Table::Visible() const {
  if (eof_) return true;
  if (!show_deleted_ && deleted()) return false;
  return !filter_ || filter_(*this);
}

Status Table::NaturalStep(bool forward, bool* moved) {
  uint32_t next = forward ? cur_ + 1 : cur_ - 1;
  *moved = forward ? next <= count_ : cur_ > 1;
  if (!*moved) return Status::Ok();
  return Load(next);
}

// Puts the cursor of the current index on the current record.
Status Table::PlaceIndexCursor(NtxIndex* ntx) {
  if (ntx->valid() && ntx->recno() == cur_ && ntx->key() == current_key()) return Status::Ok();
  return ntx->SeekEntry(current_key(), cur_);
}

Status Table::IndexStep(bool forward, bool* moved) {
  NtxIndex* ntx = indexes_[static_cast<size_t>(order_ - 1)].ntx.get();
  KAV_RETURN_IF_ERROR(PlaceIndexCursor(ntx));
  if (forward) KAV_RETURN_IF_ERROR(ntx->Next());
  else KAV_RETURN_IF_ERROR(ntx->Prev());
  *moved = ntx->valid();
  if (!*moved) return Status::Ok();
  return Load(ntx->recno());
}

Status Table::SkipInvisible(bool forward) {
  for (;;) {
    if (Visible()) return Status::Ok();
    bool moved = false;
    KAV_RETURN_IF_ERROR(order_ ? IndexStep(forward, &moved) : NaturalStep(forward, &moved));
    if (!moved) {
      if (forward) LoadPhantom();
      else return GoTop();  // nothing visible before: the first visible one
      return Status::Ok();
    }
  }
}

Status Table::GoTo(uint32_t recno) {
  KAV_RETURN_IF_ERROR(Load(recno));
  bof_ = false;
  found_ = false;
  return Status::Ok();
}

Status Table::GoTop() { return GoEnd(true); }

Status Table::GoBottom() { return GoEnd(false); }

// The first (top) or last visible record of the current order.
Status Table::GoEnd(bool top) {
  KAV_RETURN_IF_ERROR(Commit());
  bof_ = false;
  found_ = false;
  if (order_ == 0) {
    KAV_RETURN_IF_ERROR(Load(top ? 1 : count_));
  } else {
    NtxIndex* ntx = indexes_[static_cast<size_t>(order_ - 1)].ntx.get();
    KAV_RETURN_IF_ERROR(top ? ntx->First() : ntx->Last());
    if (ntx->valid()) KAV_RETURN_IF_ERROR(Load(ntx->recno()));
    else LoadPhantom();
  }
  bool moved = false;
  while (!eof_ && !Visible()) {
    KAV_RETURN_IF_ERROR(order_ ? IndexStep(top, &moved) : NaturalStep(top, &moved));
    if (!moved) LoadPhantom();
  }
  if (eof_) bof_ = true;
  return Status::Ok();
}

Status Table::Skip(int64_t n) {
  KAV_RETURN_IF_ERROR(Commit());
  bof_ = false;
  found_ = false;
  bool forward = n >= 0;
  if (n == 0) return Load(cur_);
  int64_t steps = forward ? n : -n;
  for (int64_t i = 0; i < steps; ++i) {
    if (eof_ && forward) return Status::Ok();
    if (eof_) {  // back from the phantom: the last visible record
      KAV_RETURN_IF_ERROR(GoBottom());
      if (eof_) return Status::Ok();
      continue;
    }
    uint32_t here = cur_;
    for (;;) {
      bool moved = false;
      KAV_RETURN_IF_ERROR(order_ ? IndexStep(forward, &moved) : NaturalStep(forward, &moved));
      if (!moved) {
        if (forward) {
          LoadPhantom();
          return Status::Ok();
        }
        KAV_RETURN_IF_ERROR(Load(here));  // before the first: stay, begin-of-file
        bof_ = true;
        return Status::Ok();
      }
      if (Visible()) break;
    }
  }
  return Status::Ok();
}

// ---------------------------------------------------------------------------
// Indexes

Status Table::AttachIndex(const std::string& ntx_path) {
  KAV_RETURN_IF_ERROR(Commit());
  std::unique_ptr<NtxIndex> ntx;
  KAV_RETURN_IF_ERROR(NtxIndex::Open(ntx_path, &ntx));
  KeyExpr key;
  Status st = KeyExpr::Parse(ntx->header().expression, fields_, &key);
  if (!st.ok()) return Status::Corrupt("chave do indice nao serve a tabela: " + ntx_path + " (" + st.message() + ")");
  if (key.length() != ntx->key_size())
    return Status::Corrupt("tamanho da chave do indice difere da tabela: " + ntx_path);
  indexes_.push_back({std::move(ntx), std::move(key), ""});
  return Status::Ok();
}

Status Table::CloseIndexes() {
  KAV_RETURN_IF_ERROR(Commit());
  Status st;
  for (Index& ix : indexes_) {
    Status s = ix.ntx->Flush();
    if (st.ok()) st = s;
  }
  indexes_.clear();
  order_ = 0;
  return st;
}

Status Table::SetOrder(int order) {
  if (order < 0 || order > index_count())
    return Status::Invalid("ordem inexistente " + std::to_string(order) + ": " + path_);
  KAV_RETURN_IF_ERROR(Commit());
  order_ = order;
  return Status::Ok();
}

std::string Table::current_key() const {
  if (order_ == 0) return "";
  return indexes_[static_cast<size_t>(order_ - 1)].key.Eval(rec_.data());
}

Status Table::Seek(std::string_view key, bool soft) {
  if (order_ == 0) return Status::Invalid("busca sem indice: " + path_);
  KAV_RETURN_IF_ERROR(Commit());
  NtxIndex* ntx = indexes_[static_cast<size_t>(order_ - 1)].ntx.get();
  if (key.size() > static_cast<size_t>(ntx->key_size())) key = key.substr(0, ntx->key_size());
  bool exact = false;
  KAV_RETURN_IF_ERROR(ntx->Seek(key, &exact));
  bof_ = false;
  if (!ntx->valid()) {
    LoadPhantom();
    found_ = false;
    return Status::Ok();
  }
  KAV_RETURN_IF_ERROR(Load(ntx->recno()));
  KAV_RETURN_IF_ERROR(SkipInvisible(true));
  found_ = !eof_ && current_key().compare(0, key.size(), key) == 0;
  if (!found_ && !soft) LoadPhantom();
  return Status::Ok();
}

Status Table::ScanRecords(const std::function<Status(uint32_t, const char*)>& fn,
                          const Progress& progress) {
  KAV_RETURN_IF_ERROR(Commit());
  KAV_RETURN_IF_ERROR(FlushAppends());
  uint32_t per = std::max<uint32_t>(1, static_cast<uint32_t>((1u << 20) / rec_len_));
  std::vector<char> buf(static_cast<size_t>(per) * rec_len_);
  uint64_t step = std::max<uint64_t>(1, count_ / 100);
  for (uint32_t first = 1; first <= count_; first += per) {
    uint32_t n = std::min(per, count_ - first + 1);
    uint64_t at = header_len_ + static_cast<uint64_t>(first - 1) * static_cast<uint64_t>(rec_len_);
    KAV_RETURN_IF_ERROR(file_->Read(at, static_cast<size_t>(n) * rec_len_, buf.data()));
    for (uint32_t i = 0; i < n; ++i) {
      uint32_t recno = first + i;
      KAV_RETURN_IF_ERROR(fn(recno, buf.data() + static_cast<size_t>(i) * rec_len_));
      if (progress && recno % step == 0) progress(recno, count_);
    }
  }
  if (progress) progress(count_, count_);
  return Status::Ok();
}

Status Table::CreateIndex(const std::string& ntx_path, std::string_view key_expr, bool unique,
                          const Progress& progress) {
  KeyExpr key;
  KAV_RETURN_IF_ERROR(KeyExpr::Parse(key_expr, fields_, &key));
  // An attached index of the same file is rebuilt in place.
  int attached = -1;
  for (size_t i = 0; i < indexes_.size(); ++i)
    if (indexes_[i].ntx->path() == ntx_path) attached = static_cast<int>(i);
  KAV_RETURN_IF_ERROR(Commit());
  IndexSorter sorter(key.length(), unique, ntx_path);
  std::vector<char> keybuf(static_cast<size_t>(key.length()));
  KAV_RETURN_IF_ERROR(ScanRecords(
      [&](uint32_t recno, const char* rec) {
        key.Eval(rec, keybuf.data());
        return sorter.Add(std::string_view(keybuf.data(), keybuf.size()), recno);
      },
      progress));
  if (attached >= 0) {
    KAV_RETURN_IF_ERROR(indexes_[static_cast<size_t>(attached)].ntx->Flush());
    indexes_[static_cast<size_t>(attached)].ntx.reset();
  }
  Status st = sorter.Write(ntx_path, key.text(), key.numeric() ? key.decimals() : 0);
  if (attached >= 0) {
    Status reopen = NtxIndex::Open(ntx_path, &indexes_[static_cast<size_t>(attached)].ntx);
    if (st.ok()) st = reopen;
  }
  return st;
}

Status Table::RebuildIndexes(const Progress& progress) {
  for (Index& ix : indexes_) {
    std::string p = ix.ntx->path();
    KAV_RETURN_IF_ERROR(CreateIndex(p, ix.key.text(), ix.ntx->unique(), progress));
  }
  return Status::Ok();
}

// ---------------------------------------------------------------------------
// Pack and zap: a new file is written beside the old one and renamed over it.

Status Table::ReopenAfterReplace() {
  file_.reset();
  std::unique_ptr<File> f;
  KAV_RETURN_IF_ERROR(File::Open(path_, &f));
  file_ = std::move(f);
  window_count_ = 0;
  last_loaded_ = 0;
  disk_count_ = count_;
  changed_ = false;
  LoadPhantom();
  return Status::Ok();
}

Status Table::ReplaceBody(uint32_t keep_count,
                          const std::function<Status(ReplacingFile&)>& body) {
  KAV_RETURN_IF_ERROR(Commit());
  KAV_RETURN_IF_ERROR(FlushAppends());
  ReplacingFile out(path_);
  KAV_RETURN_IF_ERROR(out.Open());
  std::string header(header_len_, '\0');
  KAV_RETURN_IF_ERROR(file_->Read(0, header_len_, header.data()));
  wr32(&header[4], keep_count);
  KAV_RETURN_IF_ERROR(out.Append(header));
  KAV_RETURN_IF_ERROR(body(out));
  KAV_RETURN_IF_ERROR(out.Append("\x1A"));
  KAV_RETURN_IF_ERROR(out.Commit());
  count_ = keep_count;
  KAV_RETURN_IF_ERROR(ReopenAfterReplace());
  return Status::Ok();
}

Status Table::Pack(const Progress& progress) {
  KAV_RETURN_IF_ERROR(Commit());
  KAV_RETURN_IF_ERROR(FlushAppends());
  uint32_t keep = 0;
  KAV_RETURN_IF_ERROR(ScanRecords(
      [&](uint32_t, const char* rec) {
        if (rec[0] != '*') ++keep;
        return Status::Ok();
      },
      nullptr));
  KAV_RETURN_IF_ERROR(ReplaceBody(keep, [&](ReplacingFile& out) {
    return ScanRecords(
        [&](uint32_t, const char* rec) {
          if (rec[0] == '*') return Status::Ok();
          return out.Append(std::string_view(rec, static_cast<size_t>(rec_len_)));
        },
        progress);
  }));
  KAV_RETURN_IF_ERROR(RebuildIndexes(progress));
  return GoTop();
}

Status Table::Zap() {
  KAV_RETURN_IF_ERROR(ReplaceBody(0, [](ReplacingFile&) { return Status::Ok(); }));
  KAV_RETURN_IF_ERROR(RebuildIndexes(nullptr));
  return GoTop();
}

}  // namespace kav::xbase
