#include "shell/message.h"

#include <algorithm>
#include <cstdio>

#include "base/begins_with.h"
#include "base/clock.h"
#include "base/latin1.h"
#include "platform/message_box.h"
#include "shell/colour.h"
#include "shell/dialog_guard.h"
#include "shell/shell_state.h"
#include "shell/window.h"

namespace kav {

namespace {

constexpr size_t kLineLimit = 64;

int half(size_t n) { return int(n / 2); }

// Waits for any key, or only for the space bar.
void wait_for(bool space_only) {
  for (;;) {
    const KeyEvent k = keyboard().inkey();
    if (!space_only || k.code == key::kSpace) return;
  }
}

void waiting_message(bool space_only, const std::string& text, int row, Attr a) {
  Screen& s = screen();
  const Region saved = s.save(row, 0, row, Screen::kCols - 1);
  s.fill(row, 1, row, 78, ' ', a);
  if (text.size() < kLineLimit) {
    s.put(row, 33 - half(text.size()), text + " - tecle <BARRA>", a);
    shell().console->tone(300, 5);
    wait_for(space_only);
  } else {
    s.put(row, 9, "Veja a mensagem na janela Windows e clique em OK", a);
    shell().console->tone(300, 5);
    message_box(keyboard(), text, "KAV/SUS - Atenção");
  }
  s.restore(saved);
}

void notice(const std::string& kind, const std::string& text, int row, Region* buffer, Attr a) {
  Screen& s = screen();
  Region& single = shell().saved_line;
  if (kind == "AVISERECUPERA") {
    Region r = buffer != nullptr ? *buffer : single;
    if (buffer != nullptr) r.top = r.bottom = row;
    s.restore(r);
    return;
  }
  if (kind == "AVISESALVA") (buffer != nullptr ? *buffer : single) = s.save(row, 0, row, 79);
  s.fill(row, 1, row, 78, ' ', a);
  s.put(row, 40 - half(text.size()), text, a);
}

}  // namespace

void log_unattended(const std::string& text) {
  const DateTime now = current_clock().now();
  char hhmm[8];
  std::snprintf(hhmm, sizeof hhmm, "%02d:%02d ", now.hour, now.minute);
  shell().AMENSAGENS.push_back(hhmm + text);
}

void fatal_end(const std::vector<std::string>& lines) {
  shell().LCREDAUTO = false;  // the operator must see it
  MENSAGEM2(lines);
  quit_program(1);
}

void MENSAGEM(const std::string& kind, const std::string& text, int row, Region* saved) {
  const bool waiting = begins_with(kind, "ESPERE");
  const std::string avise_kinds = "AVISEAVISERECUPERAAVISESALVA";
  if (!waiting && (kind.empty() || avise_kinds.find(kind) == std::string::npos)) {
    analyst_abort("Sr(a). Analista: PARAMETRO cModo DEVE SER  < AVISE > OU < ESPERE >  ");
  }
  if (waiting && shell().LCREDAUTO) return log_unattended(text);
  DialogGuard guard;
  set_colour(SETCOR("MENSAGEM"));
  const Attr a = current_scheme().normal;
  if (waiting) {
    waiting_message(begins_with(kind, "ESPEREBARRA"), text, row, a);
  } else {
    notice(kind, text, row, saved, a);
  }
}

bool MENSAGEM2(const std::vector<std::string>& text, const std::string& kind) {
  if (shell().LCREDAUTO) return true;
  const bool waiting = begins_with(kind, "ESPERE");
  const bool space_only = begins_with(kind, "ESPEREBARRA");
  std::vector<std::string> lines = text;
  size_t w = 0;
  for (const std::string& l : lines) w = std::max(w, l.size());
  if (waiting) {
    const std::string prompt =
        space_only ? "PRESSIONE <BARRA> PARA CONTINUAR" : "PRESSIONE ALGO PARA CONTINUAR";
    w = std::max(w, prompt.size());
    lines.push_back("");
    lines.push_back(std::string((w - prompt.size()) / 2, ' ') + prompt);
  }
  const int h = int(lines.size());
  const int r = (24 - h) / 2, c = (80 - int(w)) / 2;
  DialogGuard guard;
  Screen& s = screen();
  const Region saved = s.save(r - 1, c - 2, r + h, c + int(w) + 1);
  const Attr box = parse_scheme(SETCOR("CAMPOSAY")).normal;
  const Attr message = parse_scheme(SETCOR("MENSAGEM")).normal;
  s.fill(r - 1, c - 2, r + h, c + int(w) + 1, ' ', box);
  draw_frame(r - 1, c - 2, r + h, c + int(w) + 1, 1, box);
  for (int i = 0; i < h; ++i) {
    std::string line = lines[i];
    line.resize(w, ' ');
    s.put(r + i, c, line, message);
  }
  if (waiting) {
    wait_for(space_only);
    s.restore(saved);
  }
  return true;
}

std::string CONFIRMA(const std::string& question, const std::string& default_answer) {
  DialogGuard guard;
  set_colour(SETCOR("MENSAGEM"));
  const Scheme sc = current_scheme();
  Screen& s = screen();
  const Region saved = s.save(23, 0, 23, 79);
  s.fill(23, 1, 23, 78, ' ', sc.normal);
  const int col = 35 - half(question.size());
  s.put(23, col, question, sc.normal);
  shell().console->tone(440, 6);
  if (shell().LCREDAUTO) {
    s.restore(saved);
    return "S";
  }
  const bool no_first = latin1_upper(default_answer) == "N";
  const std::string choices[2] = {no_first ? "NAO" : "SIM", no_first ? "SIM" : "NAO"};
  const int cols[2] = {col + int(question.size()) + 1, col + int(question.size()) + 5};
  s.put(23, cols[1] + 3, "?", sc.normal);
  int current = 0;
  std::string chosen;
  while (chosen.empty()) {
    for (int i = 0; i < 2; ++i) s.put(23, cols[i], choices[i], i == current ? sc.selected : sc.normal);
    const KeyEvent k = keyboard().wait_key();
    const char letter = latin1_upper(char(k.code));
    if (k.code == key::kLeft || k.code == key::kRight || k.code == key::kUp ||
        k.code == key::kDown) {
      current = 1 - current;
    } else if (k.code == key::kEnter) {
      chosen = choices[current];
    } else if (k.code == key::kEsc) {
      chosen = choices[1];
    } else if (k.code == key::kMouseLeft && k.row == 23) {
      for (int i = 0; i < 2; ++i) {
        if (k.col >= cols[i] && k.col < cols[i] + 3) chosen = choices[i];
      }
    } else if (k.code > 0 && k.code < 256 && (letter == 'S' || letter == 'N')) {
      chosen = letter == 'S' ? "SIM" : "NAO";
    }
  }
  s.restore(saved);
  return chosen.substr(0, 1);
}

}  // namespace kav
