#include "xbase/key_expr.h"

#include <cctype>
#include <cstring>

#include "base/latin1.h"

namespace kav::xbase {

namespace {

struct Token {
  enum Kind { kName, kNumber, kPunct, kEnd } kind;
  std::string text;
};

class Lexer {
 public:
  explicit Lexer(std::string_view s) : s_(s) {}
  Token Next() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    if (pos_ >= s_.size()) return {Token::kEnd, ""};
    char c = s_[pos_];
    size_t start = pos_;
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_'))
        ++pos_;
      std::string name = latin1_upper(s_.substr(start, pos_ - start));
      if (s_.substr(pos_, 2) == "->") {  // alias->field: the alias is ignored
        pos_ += 2;
        return Next();
      }
      return {Token::kName, name};
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      return {Token::kNumber, std::string(s_.substr(start, pos_ - start))};
    }
    ++pos_;
    return {Token::kPunct, std::string(1, c)};
  }

 private:
  std::string_view s_;
  size_t pos_ = 0;
};

class Parser {
 public:
  Parser(std::string_view text, const std::vector<Field>& fields) : lex_(text), fields_(fields) {
    tok_ = lex_.Next();
  }

  const Field* FieldNamed(const std::string& name) const {
    for (const Field& f : fields_)
      if (f.def.name == name) return &f;
    return nullptr;
  }

  bool Accept(const char* punct) {
    if (tok_.kind == Token::kPunct && tok_.text == punct) {
      tok_ = lex_.Next();
      return true;
    }
    return false;
  }

  Status Expect(const char* punct) {
    if (Accept(punct)) return Status::Ok();
    return Status::Invalid(std::string("esperado '") + punct + "' na chave");
  }

  Status Number(int* out) {
    if (tok_.kind != Token::kNumber) return Status::Invalid("esperado numero na chave");
    *out = std::atoi(tok_.text.c_str());
    tok_ = lex_.Next();
    return Status::Ok();
  }

  Status FieldArg(const Field** f) {
    if (tok_.kind != Token::kName) return Status::Invalid("esperado campo na chave");
    *f = FieldNamed(tok_.text);
    if (!*f) return Status::Invalid("campo inexistente na chave: " + tok_.text);
    tok_ = lex_.Next();
    return Status::Ok();
  }

  // term := NAME | SUBSTR(NAME, n, n) | STRZERO(NAME, n, 0)
  Status Term(std::vector<KeyExpr::Segment>* segs, const Field** single);

  Token tok_;
  Lexer lex_;
  const std::vector<Field>& fields_;
};

}  // namespace

void numeric_key(std::string_view text, char* out) {
  size_t n = text.size();
  size_t i = 0;
  for (; i < n && text[i] == ' '; ++i) out[i] = '0';
  bool negative = i < n && text[i] == '-';
  for (size_t k = i; k < n; ++k) out[k] = text[k];
  if (!negative) return;
  out[i] = '0';
  for (size_t k = 0; k < n; ++k)
    if (out[k] >= '0' && out[k] <= '9') out[k] = static_cast<char>(44 - (out[k] - '0'));
}

std::string numeric_key(std::string_view text) {
  std::string k(text.size(), ' ');
  numeric_key(text, k.data());
  return k;
}

void strzero(std::string_view text, int width, char* out) {
  bool neg = false;
  uint64_t whole = 0;
  int frac_first = 0;  // first decimal digit, for rounding
  bool in_frac = false;
  int frac_seen = 0;
  for (char c : text) {
    if (c == '-') neg = true;
    else if (c == '.') in_frac = true;
    else if (c >= '0' && c <= '9') {
      if (in_frac) {
        if (frac_seen++ == 0) frac_first = c - '0';
      } else {
        whole = whole * 10 + static_cast<uint64_t>(c - '0');
      }
    }
  }
  if (frac_first >= 5) ++whole;
  if (whole == 0) neg = false;
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole > 0 && n < 24);
  int avail = neg ? width - 1 : width;
  if (n > avail) {  // does not fit: dBASE writes asterisks
    std::memset(out, '*', static_cast<size_t>(width));
    return;
  }
  int pos = 0;
  if (neg) out[pos++] = '-';
  for (int i = 0; i < avail - n; ++i) out[pos++] = '0';
  while (n > 0) out[pos++] = digits[--n];
}

Status Parser::Term(std::vector<KeyExpr::Segment>* segs, const Field** single) {
  if (tok_.kind != Token::kName) return Status::Invalid("chave invalida");
  std::string name = tok_.text;
  KeyExpr::Segment seg;
  if (name == "SUBSTR" || name == "STRZERO") {
    tok_ = lex_.Next();
    const Field* f = nullptr;
    int a = 0, b = 0;
    KAV_RETURN_IF_ERROR(Expect("("));
    KAV_RETURN_IF_ERROR(FieldArg(&f));
    KAV_RETURN_IF_ERROR(Expect(","));
    KAV_RETURN_IF_ERROR(Number(&a));
    KAV_RETURN_IF_ERROR(Expect(","));
    KAV_RETURN_IF_ERROR(Number(&b));
    KAV_RETURN_IF_ERROR(Expect(")"));
    if (name == "SUBSTR") {
      if (a < 1 || b < 1) return Status::Invalid("SUBSTR invalido na chave");
      int start = a - 1;
      int take = std::max(0, std::min(b, f->def.width - start));
      seg.offset = f->offset + std::min(start, f->def.width);
      seg.len = take;
      seg.pad = b - take;
    } else {
      if (f->def.type != 'N' || a < 1 || b != 0) return Status::Invalid("STRZERO invalido na chave");
      seg.kind = KeyExpr::Segment::kStrZero;
      seg.offset = f->offset;
      seg.len = f->def.width;
      seg.width = a;
    }
    *single = nullptr;
  } else {
    const Field* f = nullptr;
    KAV_RETURN_IF_ERROR(FieldArg(&f));
    seg.offset = f->offset;
    seg.len = f->def.width;
    *single = f;
  }
  segs->push_back(seg);
  return Status::Ok();
}

Status KeyExpr::Parse(std::string_view text, const std::vector<Field>& fields, KeyExpr* out) {
  Parser p(text, fields);
  KeyExpr k;
  k.text_ = std::string(text);
  const Field* single = nullptr;
  KAV_RETURN_IF_ERROR(p.Term(&k.segments_, &single));
  const Field* first = single;
  while (p.Accept("+")) KAV_RETURN_IF_ERROR(p.Term(&k.segments_, &single));
  if (p.tok_.kind != Token::kEnd) return Status::Invalid("chave invalida: " + std::string(text));
  for (const Segment& s : k.segments_)
    k.length_ += s.kind == Segment::kStrZero ? s.width : s.len + s.pad;
  if (k.length_ < 1 || k.length_ > 250) return Status::Invalid("chave longa demais: " + std::string(text));
  if (k.segments_.size() == 1 && first && first->def.type == 'N') {
    k.numeric_ = true;
    k.decimals_ = first->def.decimals;
  }
  *out = std::move(k);
  return Status::Ok();
}

void KeyExpr::Eval(const char* record, char* out) const {
  if (numeric_) {
    const Segment& s = segments_[0];
    std::string_view text(record + s.offset, static_cast<size_t>(s.len));
    numeric_key(text, out);
    // A blank field is zero: its key has the point where zero's key has it.
    if (decimals_ > 0 && decimals_ < s.len && text.find_first_not_of(' ') == std::string_view::npos)
      out[s.len - decimals_ - 1] = '.';
    return;
  }
  for (const Segment& s : segments_) {
    if (s.kind == Segment::kStrZero) {
      strzero(std::string_view(record + s.offset, static_cast<size_t>(s.len)), s.width, out);
      out += s.width;
    } else {
      std::memcpy(out, record + s.offset, static_cast<size_t>(s.len));
      out += s.len;
      if (s.pad) {
        std::memset(out, ' ', static_cast<size_t>(s.pad));
        out += s.pad;
      }
    }
  }
}

std::string KeyExpr::Eval(const char* record) const {
  std::string k(static_cast<size_t>(length_), ' ');
  Eval(record, k.data());
  return k;
}

}  // namespace kav::xbase
