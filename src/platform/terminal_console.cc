#include "platform/terminal_console.h"

#define NCURSES_WIDECHAR 1
#include <curses.h>
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/latin1.h"
#include "platform/close_request.h"

namespace kav {

namespace {

// Escape sequences the terminal may send for keys that terminfo often does
// not name (xterm modifier forms, tmux and Linux console forms, Alt+digit).
struct Sequence {
  const char* text;
  KeyEvent event;
};

const Sequence kSequences[] = {
    {"\033[5;5~", {key::kCtrlPgUp, true}}, {"\033[6;5~", {key::kCtrlPgDn, true}},
    {"\033[1;5H", {key::kCtrlHome, true}}, {"\033[1;5F", {key::kCtrlEnd, true}},
    {"\033[1;5D", {key::kCtrlLeft, true}}, {"\033[1;5C", {key::kCtrlRight, true}},
    {"\033[Z", {key::kShiftTab}},          {"\033[1~", {key::kHome}},
    {"\033[4~", {key::kEnd}},              {"\033[H", {key::kHome}},
    {"\033[F", {key::kEnd}},               {"\033OH", {key::kHome}},
    {"\033OF", {key::kEnd}},               {"\033[2~", {key::kIns}},
    {"\033[3~", {key::kDel}},              {"\033[5~", {key::kPgUp}},
    {"\033[6~", {key::kPgDn}},             {"\033[A", {key::kUp}},
    {"\033[B", {key::kDown}},              {"\033[C", {key::kRight}},
    {"\033[D", {key::kLeft}},              {"\033OA", {key::kUp}},
    {"\033OB", {key::kDown}},              {"\033OC", {key::kRight}},
    {"\033OD", {key::kLeft}},
    // Alt+PgUp and Alt+PgDn stand in for Ctrl+PgUp and Ctrl+PgDn, which
    // many terminals keep for their own tabs.
    {"\033[5;3~", {key::kCtrlPgUp, true}}, {"\033[6;3~", {key::kCtrlPgDn, true}},
};

// Function keys in xterm form: final characters of F1-F12 and the
// modifier numbers (2 Shift, 3 Alt, 5 Ctrl).
const char* const kFunctionTail[12] = {"P", "Q", "R", "S", "15~", "17~",
                                       "18~", "19~", "20~", "21~", "23~", "24~"};

short curses_colour(int dos) {
  static const short kMap[8] = {COLOR_BLACK, COLOR_BLUE, COLOR_GREEN, COLOR_CYAN,
                                COLOR_RED,   COLOR_MAGENTA, COLOR_YELLOW, COLOR_WHITE};
  return short(kMap[dos & 7] + ((dos & 8) ? 8 : 0));
}

class TerminalConsole;
TerminalConsole* g_terminal = nullptr;

class TerminalConsole : public Console {
 public:
  TerminalConsole() { define_keys(); }
  ~TerminalConsole() override {
    shutdown();
    g_terminal = nullptr;
  }

  void refresh() override;
  KeyEvent read_key(int timeout_ms) override;
  KeyEvent poll_key() override;
  void set_title(const std::string& latin1) override {
    send("\033]0;" + latin1_to_utf8(latin1) + "\007");
  }
  void tone(int, int) override { beep(); }
  void shutdown() override {
    if (!isendwin()) endwin();
  }
  void shutdown_keeping_top() override {
    if (isendwin()) return;
    endwin();
    for (int r = 0; r < screen().cursor_row(); ++r) send(screen().row_text(r) + "\n");
  }
  void set_clipboard(const std::string& latin1) override {
    Console::set_clipboard(latin1);
    send("\033]52;c;" + base64(latin1_to_utf8(latin1)) + "\007");
  }

 private:
  void define_keys();
  KeyEvent decode(int status, wint_t ch);
  int pair_for(Attr a);
  bool too_small() const { return LINES < Screen::kRows || COLS < Screen::kCols; }
  void show_too_small();
  static void send(const std::string& seq) {
    std::fputs(seq.c_str(), stdout);
    std::fflush(stdout);
  }

  std::vector<KeyEvent> custom_;  // KEY_MAX + 1 + index
  short pairs_[256] = {};
  short next_pair_ = 1;
};

void TerminalConsole::define_keys() {
  const auto add = [this](const std::string& text, KeyEvent e) {
    custom_.push_back(e);
    define_key(text.c_str(), KEY_MAX + int(custom_.size()));
  };
  for (const Sequence& s : kSequences) add(s.text, s.event);
  for (int n = 1; n <= 12; ++n) {
    const std::string tail = kFunctionTail[n - 1];
    const bool short_form = tail.size() == 1;
    const std::string plain = short_form ? "\033O" + tail : "\033[" + tail;
    const auto with = [&](char m) {
      return short_form ? "\033[1;" + std::string(1, m) + tail
                        : "\033[" + tail.substr(0, 2) + ";" + m + "~";
    };
    add(plain, {key::f(n)});
    add(with('2'), {key::shift_f(n)});
    add(with('3'), {key::alt_f(n)});
    add(with('5'), {key::ctrl_f(n), true});
  }
  for (int n = 1; n <= 10; ++n) {  // Alt+1 .. Alt+0: Ctrl+F1 .. Ctrl+F10
    add(std::string("\033") + char('0' + n % 10), {key::ctrl_f(n), true});
  }
}

int TerminalConsole::pair_for(Attr a) {
  const bool rich = COLORS >= 16 && COLOR_PAIRS > 256;
  const int fg = attr_fg(a), bg = attr_bg(a);
  const int index = rich ? a : ((fg & 7) | ((bg & 7) << 3));
  if (pairs_[index] == 0) {
    pairs_[index] = next_pair_++;
    init_pair(pairs_[index], curses_colour(rich ? fg : fg & 7), curses_colour(rich ? bg : bg & 7));
  }
  return pairs_[index] | (!rich && (fg & 8) ? 0x10000 : 0);
}

void TerminalConsole::show_too_small() {
  erase();
  mvaddstr(0, 0, "KAV: a janela do terminal precisa de 80 colunas x 25 linhas.");
  mvprintw(1, 0, "Tamanho atual: %d x %d. Aumente a janela para continuar.", COLS, LINES);
  ::refresh();
}

void TerminalConsole::refresh() {
  if (too_small()) return show_too_small();
  for (int r = 0; r < Screen::kRows; ++r) {
    for (int c = 0; c < Screen::kCols; ++c) {
      const Cell& cell = screen().at(r, c);
      const int p = pair_for(cell.attr);
      wchar_t text[2] = {wchar_t(cell.glyph < 0x20 ? ' ' : cell.glyph), 0};
      cchar_t cc;
      setcchar(&cc, text, (p & 0x10000) ? A_BOLD : A_NORMAL, short(p & 0xFFFF), nullptr);
      mvadd_wch(r, c, &cc);
    }
  }
  const CursorShape shape = screen().cursor_shape();
  curs_set(shape == CursorShape::kHidden ? 0 : shape == CursorShape::kNormal ? 1 : 2);
  move(screen().cursor_row(), screen().cursor_col());
  ::refresh();
}

KeyEvent TerminalConsole::decode(int status, wint_t ch) {
  if (status == ERR) return KeyEvent{};
  if (status == KEY_CODE_YES) {
    const int code = int(ch);
    if (code > KEY_MAX && code <= KEY_MAX + int(custom_.size())) return custom_[code - KEY_MAX - 1];
    if (code >= KEY_F(1) && code <= KEY_F(12)) return {key::f(code - KEY_F0)};
    if (code >= KEY_F(13) && code <= KEY_F(24)) return {key::shift_f(code - KEY_F0 - 12)};
    if (code >= KEY_F(25) && code <= KEY_F(36)) return {key::ctrl_f(code - KEY_F0 - 24), true};
    if (code >= KEY_F(49) && code <= KEY_F(60)) return {key::alt_f(code - KEY_F0 - 48)};
    switch (code) {
      case KEY_UP: return {key::kUp};
      case KEY_DOWN: return {key::kDown};
      case KEY_LEFT: return {key::kLeft};
      case KEY_RIGHT: return {key::kRight};
      case KEY_HOME: return {key::kHome};
      case KEY_END: return {key::kEnd};
      case KEY_PPAGE: return {key::kPgUp};
      case KEY_NPAGE: return {key::kPgDn};
      case KEY_IC: return {key::kIns};
      case KEY_DC: return {key::kDel};
      case KEY_BACKSPACE: return {key::kBackspace};
      case KEY_ENTER: return {key::kEnter};
      case KEY_BTAB: return {key::kShiftTab};
      case KEY_MOUSE: {
        MEVENT m;
        if (getmouse(&m) == OK && (m.bstate & (BUTTON1_PRESSED | BUTTON1_CLICKED))) {
          return {key::kMouseLeft, false, m.y, m.x};
        }
        return KeyEvent{};
      }
      default: return KeyEvent{};
    }
  }
  switch (ch) {
    case 10: case 13: return {key::kEnter};
    case 9: return {key::kTab};
    case 8: case 127: return {key::kBackspace};
    case 27: return {key::kEsc};
    default: break;
  }
  if (ch >= 1 && ch <= 26) return {int(ch), true};
  if (ch < 0x100) return {int(ch)};
  return {'?'};
}

KeyEvent TerminalConsole::read_key(int timeout_ms) {
  for (;;) {
    timeout(timeout_ms);
    wint_t ch = 0;
    const int status = get_wch(&ch);
    if (status == KEY_CODE_YES && ch == KEY_RESIZE) {
      refresh();
      continue;
    }
    if (status == ERR && (timeout_ms >= 0 || close_requested())) return KeyEvent{};
    const KeyEvent k = decode(status, ch);
    if (k.code == key::kNone) continue;
    if (too_small()) continue;  // no keys reach the program behind the notice
    return k;
  }
}

KeyEvent TerminalConsole::poll_key() {
  timeout(0);
  wint_t ch = 0;
  const int status = get_wch(&ch);
  if (status == KEY_CODE_YES && ch == KEY_RESIZE) {
    refresh();
    return KeyEvent{};
  }
  return decode(status, ch);
}

void end_terminal() {
  if (g_terminal != nullptr) g_terminal->shutdown();
}

}  // namespace

std::string base64(std::string_view bytes) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t v = uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
    if (i + 1 < bytes.size()) v |= uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
    if (i + 2 < bytes.size()) v |= uint32_t(static_cast<unsigned char>(bytes[i + 2]));
    out.push_back(kAlphabet[(v >> 18) & 63]);
    out.push_back(kAlphabet[(v >> 12) & 63]);
    out.push_back(i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=');
    out.push_back(i + 2 < bytes.size() ? kAlphabet[v & 63] : '=');
  }
  return out;
}

Status open_terminal_console(std::unique_ptr<Console>* out) {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    return Status::Invalid("kav32 precisa de um terminal (ou KAV_CONSOLE=script:<arquivo>)");
  }
  std::setlocale(LC_ALL, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
  if (newterm(nullptr, stdout, stdin) == nullptr) {
    return Status::IoError("nao foi possivel iniciar o terminal (TERM)");
  }
  raw();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(25);
  if (has_colors()) start_color();
  mousemask(BUTTON1_PRESSED | BUTTON1_CLICKED, nullptr);
  mouseinterval(0);
  auto console = std::make_unique<TerminalConsole>();
  g_terminal = console.get();
  std::atexit(end_terminal);
  watch_close_signals();
  *out = std::move(console);
  return Status::Ok();
}

}  // namespace kav
