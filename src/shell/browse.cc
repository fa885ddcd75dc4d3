#include "shell/browse.h"

#include <algorithm>

#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/shell_state.h"

namespace kav {

Browse::Browse(TableCursor* table, Condition for_cond, Condition while_cond, Action top,
               Action bottom)
    : table_(table),
      for_(std::move(for_cond)),
      while_(std::move(while_cond)),
      top_(std::move(top)),
      bottom_(std::move(bottom)),
      colour_(shell().colour) {
  if (!for_) for_ = [] { return true; };
  if (!while_) while_ = [] { return true; };
  if (!top_) top_ = [this] { table_->go_top(); };
  if (!bottom_) bottom_ = [this] { table_->go_bottom(); };
  table_->set_show_deleted(false);
  refresh_all();
}

bool Browse::go_first() {
  top_();
  while (!table_->eof() && while_() && !for_()) table_->skip(1);
  if (table_->eof() || !while_()) {
    table_->go_phantom();
    ordinal_ = 0;
    return false;
  }
  ordinal_ = 1;
  return true;
}

bool Browse::go_last() {
  bottom_();
  while (!table_->eof() && !table_->bof() && while_() && !for_()) table_->skip(-1);
  if (table_->eof() || !while_() || !for_()) {
    table_->go_phantom();
    ordinal_ = 0;
    return false;
  }
  ordinal_ = count_;
  return true;
}

bool Browse::step(int direction) {
  const uint32_t start = table_->recno();
  if (direction < 0 && start == first_recno_) return false;
  for (;;) {
    table_->skip(direction);
    if (direction > 0 ? table_->eof() : table_->bof()) break;
    if (!while_()) break;
    if (for_()) return true;
    if (direction < 0 && table_->recno() == first_recno_) break;
  }
  table_->go_to(start);
  return false;
}

int Browse::skip(int n) {
  if (empty() || table_->eof()) return 0;
  int moved = 0;
  while (moved < n && step(1)) ++moved;
  while (moved > n && step(-1)) --moved;
  ordinal_ += moved;
  return moved;
}

bool Browse::in_range() {
  if (table_->eof() || table_->deleted() || !while_() || !for_()) return false;
  const uint32_t here = table_->recno();
  if (!go_first()) return false;
  int ordinal = 1;
  while (table_->recno() != here) {
    if (!step(1)) return false;
    ++ordinal;
  }
  ordinal_ = ordinal;
  return true;
}

void Browse::refresh_all() {
  const uint32_t here = table_->recno();
  count_ = 0;
  if (go_first()) {
    first_recno_ = table_->recno();
    count_ = 1;
    while (step(1)) ++count_;
  }
  table_->go_to(here);
  if (!in_range()) go_first();
}

void Browse::set_window(int top, int left, int bottom, int right) {
  top_row_ = top;
  left_ = left;
  bottom_row_ = bottom;
  right_ = right;
}

void Browse::add_column(const std::string& heading, int width, std::function<std::string()> value) {
  columns_.push_back(Column{heading, width, std::move(value)});
}

int Browse::rows() const {
  const bool headings = std::any_of(columns_.begin(), columns_.end(),
                                    [](const Column& c) { return !c.heading.empty(); });
  return bottom_row_ - top_row_ + 1 - (headings ? 2 : 0);
}

std::string Browse::row_text() {
  std::string text;
  for (size_t i = 0; i < columns_.size(); ++i) {
    std::string v = columns_[i].value();
    v.resize(columns_[i].width, ' ');
    text += v;
    if (i + 1 < columns_.size()) text += '\x01';  // separator, drawn as a line
  }
  return text;
}

void Browse::stabilize() {
  Screen& s = screen();
  const Scheme sc = parse_scheme(colour_);
  const int width = right_ - left_ + 1;
  const auto put_row = [&](int r, const std::string& text, Attr a, Glyph separator) {
    s.fill(r, left_, r, right_, ' ', a);
    for (int i = 0; i < int(text.size()) && i < width; ++i) {
      if (text[i] == '\x01') s.put_glyph(r, left_ + i, separator, sc.normal);
      else s.put(r, left_ + i, std::string(1, text[i]), a);
    }
  };
  int r = top_row_;
  if (rows() < bottom_row_ - top_row_ + 1) {
    std::string heading, line;
    for (size_t i = 0; i < columns_.size(); ++i) {
      std::string h = columns_[i].heading;
      h.resize(columns_[i].width, ' ');
      heading += h;
      line += std::string(columns_[i].width, '\x02');
      if (i + 1 < columns_.size()) {
        heading += '\x01';
        line += '\x01';
      }
    }
    put_row(r++, heading, sc.normal, glyph::kVertical);
    s.fill(r, left_, r, right_, ' ', sc.normal);
    for (int i = 0; i < int(line.size()) && i < width; ++i) {
      s.put_glyph(r, left_ + i, line[i] == '\x01' ? glyph::kCross : glyph::kHorizontal, sc.normal);
    }
    ++r;
  }
  const int n = rows();
  const uint32_t here = table_->recno();
  const int ordinal = ordinal_;
  row_pos_ = std::clamp(row_pos_, 0, std::max(n - 1, 0));
  const int above = empty() ? 0 : -skip(-row_pos_);
  bool more = !empty();
  for (int i = 0; i < n; ++i) {
    if (more) {
      put_row(r + i, row_text(), i == above ? sc.selected : sc.normal, glyph::kVertical);
      more = skip(1) == 1;
    } else {
      put_row(r + i, "", sc.normal, glyph::kVertical);
    }
  }
  row_pos_ = above;
  table_->go_to(here);
  ordinal_ = ordinal;
}

bool Browse::navigate(int code) {
  const int n = rows();
  switch (code) {
    case key::kUp:
      if (skip(-1) == -1) row_pos_ = std::max(0, row_pos_ - 1);
      return true;
    case key::kDown:
      if (skip(1) == 1) row_pos_ = std::min(n - 1, row_pos_ + 1);
      return true;
    case key::kPgUp: {
      const int moved = -skip(-n);
      if (moved < n) row_pos_ = std::max(0, row_pos_ - moved);
      return true;
    }
    case key::kPgDn: {
      const int moved = skip(n);
      if (moved < n) row_pos_ = std::min(n - 1, row_pos_ + moved);
      return true;
    }
    case key::kCtrlPgUp:
      go_first();
      row_pos_ = 0;
      return true;
    case key::kCtrlPgDn:
      go_last();
      row_pos_ = n - 1;
      return true;
    default:
      return false;
  }
}

std::unique_ptr<Browse> TBROWSEFW(TableCursor& table, Browse::Condition for_cond,
                                  Browse::Condition while_cond, Browse::Action top,
                                  Browse::Action bottom) {
  keyboard().remove_hot_key("CTRL_C");
  return std::make_unique<Browse>(&table, std::move(for_cond), std::move(while_cond),
                                  std::move(top), std::move(bottom));
}

}  // namespace kav
