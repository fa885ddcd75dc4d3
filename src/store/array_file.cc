#include "store/array_file.h"

#include <cstdio>

#include "base/file_resolver.h"
#include "base/replacing_file.h"
#include "base/val.h"

namespace kav {

namespace {

std::string right_aligned(const std::string& s, size_t width) {
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

Status encode_list(const ArrayList& list, std::string* out) {
  if (list.size() > 9999) return Status::Invalid("lista grande demais para o arquivo");
  *out += right_aligned(std::to_string(list.size()), 4);
  for (const ArrayItem& e : list) {
    out->push_back(e.type);
    switch (e.type) {
      case 'A':
        KAV_RETURN_IF_ERROR(encode_list(e.items, out));
        break;
      case 'C':
        if (e.text.size() > 99999) return Status::Invalid("texto grande demais para o arquivo");
        *out += right_aligned(std::to_string(e.text.size()), 5) + e.text;
        break;
      case 'N':
        if (e.text.size() > 99) return Status::Invalid("numero grande demais para o arquivo");
        *out += right_aligned(std::to_string(e.text.size()), 2) + e.text;
        break;
      case 'L':
        out->push_back(e.text == "T" ? 'T' : 'F');
        break;
      case 'D':
        *out += (e.text + std::string(8, ' ')).substr(0, 8);
        break;
      default:
        return Status::Invalid(std::string("tipo de elemento desconhecido: ") + e.type);
    }
  }
  return Status::Ok();
}

class Reader {
 public:
  explicit Reader(const std::string& data) : data_(data) {}

  bool take(size_t n, std::string* out) {
    if (at_ + n > data_.size()) return false;
    *out = data_.substr(at_, n);
    at_ += n;
    return true;
  }
  bool take_count(size_t width, size_t* n) {
    std::string s;
    if (!take(width, &s)) return false;
    int64_t v = val_int(s);
    *n = v < 0 ? 0 : static_cast<size_t>(v);
    return true;
  }

  // Reads one list body (count and elements) into `out`; false when cut short.
  bool list(ArrayList* out) {
    size_t count = 0;
    if (!take_count(4, &count)) return false;
    for (size_t i = 0; i < count; ++i) {
      std::string letter;
      if (!take(1, &letter)) return false;
      ArrayItem e;
      e.type = letter[0];
      bool ok = true;
      size_t n = 0;
      switch (e.type) {
        case 'A':
          ok = list(&e.items);
          if (!ok && !e.items.empty()) out->push_back(std::move(e));
          if (!ok) return false;
          break;
        case 'C':
          ok = take_count(5, &n) && take(n, &e.text);
          break;
        case 'N':
          ok = take_count(2, &n) && take(n, &e.text);
          break;
        case 'L':
          ok = take(1, &e.text);
          break;
        case 'D':
          ok = take(8, &e.text);
          break;
        default:
          continue;  // unknown type: no data
      }
      if (!ok) return false;
      out->push_back(std::move(e));
    }
    return true;
  }

 private:
  const std::string& data_;
  size_t at_ = 0;
};

}  // namespace

ArrayItem ArrayItem::Number(long long n) { return {'N', right_aligned(std::to_string(n), 10), {}}; }

Status encode_array(const ArrayList& list, std::string* out) {
  out->assign("A");
  return encode_list(list, out);
}

Status decode_array(const std::string& data, ArrayList* out) {
  out->clear();
  if (data.empty() || data[0] != 'A') return Status::Corrupt("arquivo de lista sem marca inicial");
  std::string body = data.substr(1);
  Reader r(body);
  if (!r.list(out)) return Status::Corrupt("arquivo de lista truncado");
  return Status::Ok();
}

Status SAVEARRAY(const ArrayList& list, const std::string& path) {
  std::string data;
  KAV_RETURN_IF_ERROR(encode_array(list, &data));
  return replace_file_contents(resolve_or_same(path), data);
}

Status RESTARRAY(const std::string& path, ArrayList* out) {
  out->clear();
  auto found = resolve_path(path);
  if (!found) return Status::NotFound("arquivo nao encontrado: " + path);
  std::string data;
  KAV_RETURN_IF_ERROR(read_file(*found, &data));
  Status st = decode_array(data, out);
  if (!st.ok()) return Status::Corrupt(st.message() + ": " + path);
  return st;
}

}  // namespace kav
