// The entry form of every screen: fields with pictures and validation,
// edited in place. Enter or Down goes to the next field, Up to the previous
// one, PgDn (or PgUp, Ctrl+W) saves and leaves, Esc abandons and puts the
// values back; Ins toggles insert mode and the cursor shape; typing past a
// field's end goes on to the next field (past the last one, saves). Dates
// are typed dd/mm/yyyy.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kav {

class EntryField {
 public:
  using Check = std::function<bool()>;
  virtual ~EntryField() = default;

  // Checked when the field is left (except on Esc), after the value has
  // been stored; false keeps the operator in the field.
  EntryField& valid(Check c) {
    valid_ = std::move(c);
    return *this;
  }
  // The field is skipped while this answers false.
  EntryField& when(Check c) {
    when_ = std::move(c);
    return *this;
  }

 private:
  friend class EntryForm;
  virtual std::string display() const = 0;      // the value as shown
  virtual std::string mask() const = 0;         // a template character a position
  virtual bool store(const std::string& buffer) = 0;  // false: not a valid entry
  virtual void save_original() = 0;
  virtual void put_back() = 0;
  virtual bool numeric() const { return false; }
  virtual std::string copy_text(const std::string& buffer) const;

  int row_ = 0, col_ = 0;
  Check valid_, when_;
  bool upper_ = false;       // "@!"
  bool clear_first_ = false;  // "@K", and numbers
};

class EntryForm {
 public:
  EntryForm();
  ~EntryForm();

  // Text of the picture's template width, or of the value's width.
  // Template characters: 9 digit, # digit blank or sign, A letter,
  // N letter or digit, X any, ! any made upper case; functions "@!" and
  // "@K" (the first key typed clears the field).
  EntryField& text(int row, int col, std::string* value, const std::string& picture = "");
  // A number of `width` characters with `decimals`, kept scaled
  // (value 1234 with 2 decimals shows "12.34").
  EntryField& number(int row, int col, int64_t* value, int width, int decimals = 0);
  // A date kept "YYYYMMDD" (blanks when not informed), typed dd/mm/yyyy.
  EntryField& date(int row, int col, std::string* yyyymmdd);

  // Draws every field (the inactive ones in the unselected colour).
  void display();
  // Runs the form; true when left to save, false on Esc.
  bool read();
  int last_key() const { return last_key_; }

 private:
  enum class Exit { kNext, kPrevious, kSave, kAbandon };
  Exit edit(EntryField& f);
  void draw(const EntryField& f, const std::string& buffer, bool active);
  bool leave(EntryField& f, const std::string& buffer);

  std::vector<std::unique_ptr<EntryField>> fields_;
  int last_key_ = 0;
};

// Reads one line of text at (row, col) in a field of `width`; false on Esc.
bool read_text(int row, int col, int width, std::string* value);

}  // namespace kav
