#include "shell/text_viewer.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "base/file_resolver.h"
#include "platform/keys.h"
#include "shell/colour.h"
#include "shell/dialog_guard.h"
#include "shell/entry_form.h"
#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

constexpr size_t kPiece = 256;

// Lines of the file (CR LF or LF ends a line), long lines in pieces of at
// most 256 bytes.
std::vector<std::string> read_lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    do {
      lines.push_back(line.substr(0, kPiece));
      line = line.size() > kPiece ? line.substr(kPiece) : "";
    } while (!line.empty());
    start = end + 1;
  }
  if (lines.empty()) lines.push_back("");
  return lines;
}

class Viewer {
 public:
  Viewer(std::vector<std::string> lines, int top, int left, int bottom, int right)
      : lines_(std::move(lines)), top_(top), left_(left), bottom_(bottom), right_(right) {}

  void run();

 private:
  int rows() const { return bottom_ - top_ + 1; }
  int width() const { return right_ - left_ + 1; }
  int last() const { return int(lines_.size()) - 1; }
  void draw();
  void search(int direction, bool ask);

  std::vector<std::string> lines_;
  int top_, left_, bottom_, right_;
  int current_ = 0, first_ = 0, col_ = 0;
  std::string needle_;
  int direction_ = 0;
};

void Viewer::draw() {
  first_ = std::clamp(first_, std::max(0, current_ - rows() + 1), current_);
  const Scheme sc = current_scheme();
  for (int r = 0; r < rows(); ++r) {
    const int i = first_ + r;
    std::string text = i <= last() && col_ < int(lines_[i].size()) ? lines_[i].substr(col_) : "";
    text.resize(width(), ' ');
    screen().put(top_ + r, left_, text, i == current_ ? sc.selected : sc.normal);
  }
}

void Viewer::search(int direction, bool ask) {
  if (ask) {
    Region saved = screen().save(24, 0, 24, 79);
    const std::string prompt = "Entre com o texto";
    screen().fill(24, 0, 24, 79, ' ', current_scheme().normal);
    screen().put(24, 1, prompt, current_scheme().normal);
    std::string text = needle_;
    const bool typed = read_text(24, int(prompt.size()) + 2, 40, &text);
    screen().restore(saved);
    if (!typed || text.empty()) return;
    needle_ = text;
    direction_ = direction;
  } else if (direction_ == 0) {
    MENSAGEM("ESPERE", "Nao foi efetuado nenhuma pesquisa");
    return;
  }
  for (int i = current_ + direction_; i >= 0 && i <= last(); i += direction_) {
    if (lines_[i].find(needle_) != std::string::npos) {
      current_ = i;
      return;
    }
  }
  MENSAGEM("ESPERE", "Nao encontrado");
}

void Viewer::run() {
  for (;;) {
    draw();
    const int code = keyboard().wait_key().code;
    const int len = int(lines_[current_].size());
    switch (code) {
      case key::kEsc: return;
      case key::kLeft: col_ = std::max(0, col_ - 1); break;
      case key::kRight: col_ = std::min(int(kPiece) - 1, col_ + 1); break;
      case key::kHome: col_ = 0; break;
      case key::kEnd: col_ = std::max(0, len - width()); break;
      case key::kTab: col_ = std::min(int(kPiece) - 1, col_ + 10); break;
      case key::kShiftTab: col_ = std::max(0, col_ - 10); break;
      case key::kUp: current_ = std::max(0, current_ - 1); break;
      case key::kDown: current_ = std::min(last(), current_ + 1); break;
      case key::kPgUp: current_ = std::max(0, current_ - rows()); break;
      case key::kPgDn: current_ = std::min(last(), current_ + rows()); break;
      case key::kCtrlPgUp: current_ = 0; break;
      case key::kCtrlPgDn: current_ = last(); break;
      default:
        if (code == key::f(2)) search(1, true);
        else if (code == key::f(3)) search(-1, true);
        else if (code == key::f(4)) search(direction_, false);
    }
  }
}

}  // namespace

bool EDICAO(const std::string& file, int top, int left, int bottom, int right) {
  const auto path = resolve_path(file);
  if (!path) return false;
  DialogGuard guard;
  screen().put(0, 10, "Arquivo : " + file, current_scheme().normal);
  MENSAGEM("AVISE", "[F2] - Procura abaixo [F3] - Procura acima  [F4] - repetir pesquisa", 24);
  Viewer(read_lines(*path), top, left, bottom, right).run();
  return true;
}

void VETEXTO(const std::string& file, int top, int left, int bottom, int right,
             const std::string& colour, const Frame& frame) {
  DialogGuard guard;
  const Region saved = screen().save_all();
  if (!colour.empty()) set_colour(colour);
  WINDOW(top, left, bottom, right, colour, frame);
  EDICAO(file, top + 1, left + 1, bottom - 2, right - 3);
  screen().restore(saved);
}

}  // namespace kav
