#include "shell/entry_form.h"

#include <algorithm>
#include <cstdio>

#include "base/date.h"
#include "base/latin1.h"
#include "base/val.h"
#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

constexpr int kCtrlW = 23;
constexpr int kCtrlY = 25;

std::string trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool is_editable(char m) { return std::string_view("9#ANX!n").find(m) != std::string_view::npos; }

bool is_letter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}
bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

// The character typed into a position of template `m`, or 0 when refused.
char accept(char m, unsigned char c, bool upper) {
  bool ok = false;
  switch (m) {
    case '9': ok = is_digit(c); break;
    case '#': ok = is_digit(c) || c == ' ' || c == '+' || c == '-'; break;
    case 'A': ok = is_letter(c); break;
    case 'N': ok = is_letter(c) || is_digit(c); break;
    case 'n': ok = is_digit(c) || c == '-' || c == '.' || c == ','; break;
    default: ok = true;
  }
  if (!ok) return 0;
  return (upper || m == '!') ? latin1_upper(char(c)) : char(c);
}

class TextField : public EntryField {
 public:
  TextField(std::string* value, std::string mask) : value_(value), mask_(std::move(mask)) {}

 private:
  std::string display() const override {
    std::string s = *value_;
    s.resize(mask_.size(), ' ');
    for (size_t i = 0; i < mask_.size(); ++i) {
      if (!is_editable(mask_[i])) s[i] = mask_[i];
    }
    return s;
  }
  std::string mask() const override { return mask_; }
  bool store(const std::string& buffer) override {
    if (value_->size() < buffer.size()) value_->resize(buffer.size(), ' ');
    value_->replace(0, buffer.size(), buffer);
    return true;
  }
  void save_original() override { original_ = *value_; }
  void put_back() override { *value_ = original_; }

  std::string* value_;
  std::string mask_;
  std::string original_;
};

class NumberField : public EntryField {
 public:
  NumberField(int64_t* value, int width, int decimals)
      : value_(value), width_(width), decimals_(decimals) {}

 private:
  std::string format(int64_t v) const {
    int64_t scale = 1;
    for (int i = 0; i < decimals_; ++i) scale *= 10;
    const int64_t whole = v / scale, part = v % scale;
    std::string s = (v < 0 && whole == 0 ? "-" : "") + std::to_string(whole);
    if (decimals_ > 0) {
      std::string frac = std::to_string(part < 0 ? -part : part);
      s += "." + std::string(decimals_ - frac.size(), '0') + frac;
    }
    return s;
  }
  std::string display() const override {
    const std::string s = format(*value_);
    return std::string(std::max<int>(0, width_ - int(s.size())), ' ') + s;
  }
  std::string mask() const override { return std::string(width_, 'n'); }
  bool store(const std::string& buffer) override {
    std::string text = trim(buffer);
    std::replace(text.begin(), text.end(), ',', '.');
    const int64_t v = val_scaled(text, decimals_);
    if (int(format(v).size()) > width_) return false;  // does not fit its width
    *value_ = v;
    return true;
  }
  void save_original() override { original_ = *value_; }
  void put_back() override { *value_ = original_; }
  bool numeric() const override { return true; }

  int64_t* value_;
  int width_, decimals_;
  int64_t original_ = 0;
};

class DateField : public EntryField {
 public:
  explicit DateField(std::string* value) : value_(value) {}

 private:
  std::string display() const override {
    const auto d = Date::parse(*value_);
    return d ? d->display() : "  /  /    ";
  }
  std::string mask() const override { return "99/99/9999"; }
  bool store(const std::string& buffer) override {
    if (trim(buffer) == "/  /") {
      *value_ = std::string(8, ' ');
      return true;
    }
    const auto d = Date::parse_typed(buffer);
    if (!d) return false;
    *value_ = d->text();
    return true;
  }
  void save_original() override { original_ = *value_; }
  void put_back() override { *value_ = original_; }
  std::string copy_text(const std::string& buffer) const override {
    return trim(buffer) == "/  /" ? "" : buffer;
  }

  std::string* value_;
  std::string original_;
};

int next_editable(const std::string& mask, int from) {
  for (int i = from + 1; i < int(mask.size()); ++i) {
    if (is_editable(mask[i])) return i;
  }
  return -1;
}

int previous_editable(const std::string& mask, int from) {
  for (int i = from - 1; i >= 0; --i) {
    if (is_editable(mask[i])) return i;
  }
  return -1;
}

// Takes the character at `pos` out, pulling the following editable ones left.
void delete_at(std::string& buffer, const std::string& mask, int pos) {
  int to = pos;
  for (int from = next_editable(mask, pos); from >= 0; from = next_editable(mask, from)) {
    buffer[to] = buffer[from];
    to = from;
  }
  buffer[to] = ' ';
}

void insert_at(std::string& buffer, const std::string& mask, int pos, char c) {
  char carry = c;
  for (int i = pos; i >= 0; i = next_editable(mask, i)) std::swap(buffer[i], carry);
}

void set_cursor_shape() {
  screen().set_cursor_shape(shell().insert_mode ? CursorShape::kInsert : CursorShape::kNormal);
}

}  // namespace

std::string EntryField::copy_text(const std::string& buffer) const { return trim(buffer); }

EntryForm::EntryForm() = default;
EntryForm::~EntryForm() = default;

EntryField& EntryForm::text(int row, int col, std::string* value, const std::string& picture) {
  std::string tmpl = picture;
  bool upper = false, clear_first = false;
  if (!tmpl.empty() && tmpl[0] == '@') {
    const size_t space = tmpl.find(' ');
    const std::string functions = tmpl.substr(1, space == std::string::npos ? space : space - 1);
    upper = functions.find('!') != std::string::npos;
    clear_first = functions.find('K') != std::string::npos;
    tmpl = space == std::string::npos ? "" : tmpl.substr(space + 1);
  }
  if (tmpl.empty()) tmpl = std::string(value->size(), 'X');
  auto f = std::make_unique<TextField>(value, tmpl);
  f->upper_ = upper;
  f->clear_first_ = clear_first;
  f->row_ = row;
  f->col_ = col;
  fields_.push_back(std::move(f));
  return *fields_.back();
}

EntryField& EntryForm::number(int row, int col, int64_t* value, int width, int decimals) {
  auto f = std::make_unique<NumberField>(value, width, decimals);
  f->clear_first_ = true;
  f->row_ = row;
  f->col_ = col;
  fields_.push_back(std::move(f));
  return *fields_.back();
}

EntryField& EntryForm::date(int row, int col, std::string* yyyymmdd) {
  auto f = std::make_unique<DateField>(yyyymmdd);
  f->row_ = row;
  f->col_ = col;
  fields_.push_back(std::move(f));
  return *fields_.back();
}

void EntryForm::draw(const EntryField& f, const std::string& buffer, bool active) {
  const Scheme sc = current_scheme();
  screen().put(f.row_, f.col_, buffer, active ? sc.selected : sc.unselected);
}

void EntryForm::display() {
  for (const auto& f : fields_) draw(*f, f->display(), false);
}

bool EntryForm::leave(EntryField& f, const std::string& buffer) {
  if (!f.store(buffer) || (f.valid_ && !f.valid_())) {
    shell().console->tone(440, 2);
    return false;
  }
  return true;
}

EntryForm::Exit EntryForm::edit(EntryField& f) {
  std::string buffer = f.display();
  const std::string mask = f.mask();
  const int first = is_editable(mask[0]) ? 0 : next_editable(mask, 0);
  if (first < 0) return Exit::kNext;
  int pos = first;
  bool first_key = true;
  shell().active_field_text = [&f, &buffer] { return f.copy_text(buffer); };
  for (;;) {
    draw(f, buffer, true);
    screen().set_cursor(f.row_, f.col_ + pos);
    set_cursor_shape();
    const KeyEvent k = keyboard().wait_key();
    last_key_ = k.code;
    const bool clear = first_key && f.clear_first_;
    first_key = false;
    switch (k.code) {
      case key::kEnter: case key::kDown: case key::kTab:
        if (leave(f, buffer)) return Exit::kNext;
        break;
      case key::kUp: case key::kShiftTab:
        if (leave(f, buffer)) return Exit::kPrevious;
        break;
      case key::kPgDn: case key::kPgUp: case kCtrlW:
        if (leave(f, buffer)) return Exit::kSave;
        break;
      case key::kEsc:
        return Exit::kAbandon;
      case key::kLeft:
        if (int p = previous_editable(mask, pos); p >= 0) pos = p;
        break;
      case key::kRight:
        if (int p = next_editable(mask, pos); p >= 0) pos = p;
        break;
      case key::kHome:
        pos = first;
        break;
      case key::kEnd: {
        int p = first;
        for (int i = first; i >= 0; i = next_editable(mask, i)) {
          if (buffer[i] != ' ') p = next_editable(mask, i) >= 0 ? next_editable(mask, i) : i;
        }
        pos = p;
        break;
      }
      case key::kBackspace:
        if (int p = previous_editable(mask, pos); p >= 0) {
          delete_at(buffer, mask, p);
          pos = p;
        }
        break;
      case key::kDel:
        delete_at(buffer, mask, pos);
        break;
      case key::kIns:
        shell().insert_mode = !shell().insert_mode;
        break;
      case kCtrlY:
        for (int i = pos; i >= 0; i = next_editable(mask, i)) buffer[i] = ' ';
        break;
      default: {
        if (k.code < ' ' || k.code > 255) break;
        if (clear) {
          for (int i = first; i >= 0; i = next_editable(mask, i)) buffer[i] = ' ';
          pos = first;
        }
        const char c = accept(mask[pos], static_cast<unsigned char>(k.code), f.upper_);
        if (c == 0) {
          shell().console->tone(440, 1);
          break;
        }
        if (shell().insert_mode) insert_at(buffer, mask, pos, c);
        else buffer[pos] = c;
        const int next = next_editable(mask, pos);
        if (next >= 0) {
          pos = next;
        } else if (leave(f, buffer)) {
          return Exit::kNext;
        }
      }
    }
  }
}

bool EntryForm::read() {
  struct Reset {
    CursorShape shape = screen().cursor_shape();
    ~Reset() {
      shell().active_field_text = nullptr;
      screen().set_cursor_shape(shape);
    }
  } reset;
  for (const auto& f : fields_) f->save_original();
  display();
  const int n = int(fields_.size());
  const auto usable = [&](int i) { return !fields_[i]->when_ || fields_[i]->when_(); };
  int i = 0;
  while (i < n && !usable(i)) ++i;
  while (i < n) {
    const Exit exit = edit(*fields_[i]);
    draw(*fields_[i], fields_[i]->display(), false);
    if (exit == Exit::kSave) return true;
    if (exit == Exit::kAbandon) {
      for (const auto& f : fields_) f->put_back();
      display();
      return false;
    }
    int j = i;
    do {
      j += exit == Exit::kNext ? 1 : -1;
    } while (j >= 0 && j < n && !usable(j));
    if (j >= n) return true;
    if (j >= 0) i = j;
  }
  return true;
}

bool read_text(int row, int col, int width, std::string* value) {
  std::string v = *value;
  v.resize(width, ' ');
  EntryForm form;
  form.text(row, col, &v);
  if (!form.read()) return false;
  *value = trim(v);
  return true;
}

}  // namespace kav
