#include "shell/colour.h"

#include <cstdio>

#include "base/latin1.h"
#include "shell/colour_table.h"
#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

constexpr const char* kNames[12] = {"CABEC", "MENSAGEM", "CAMPOGET", "CAMPOSAY",
                                    "MENU",  "PMENU",    "PISCA",    "ASTER",
                                    "SOMBRA", "OUTRO1",  "OUTRO2",   "OUTRO3"};

// Colour number of a letter group, or -1.
int colour_number(std::string_view letters) {
  static constexpr std::string_view kLetters[8] = {"N", "B", "G", "BG", "R", "RB", "GR", "W"};
  for (int i = 0; i < 8; ++i) {
    if (letters == kLetters[i]) return i;
  }
  // "GB", "BR", "RG" name the same mixtures.
  if (letters == "GB") return 3;
  if (letters == "BR") return 5;
  if (letters == "RG") return 6;
  return -1;
}

void load_schemes() {
  ShellState& s = shell();
  ColourTable* table = s.colour_table;
  if (table == nullptr) analyst_abort("Sr(a). Analista: TABELA DE CORES NAO CONFIGURADA");
  // The failure messages below are drawn in the default schemes.
  s.schemes = default_colour_record().schemes;
  if (!table->exists()) {
    const Status st = table->create(default_colour_record());
    if (!st.ok() || !table->exists()) {
      MENSAGEM("ESPERE", "NAO CRIOU O ARQUIVO S_COR.DBF");
      quit_program(1);
    }
  }
  std::vector<ColourRecord> records;
  const Status st = table->read_all(&records);
  if (!st.ok() || records.empty()) {
    MENSAGEM("ESPERE", "NAO CRIOU O ARQUIVO S_COR.DBF");
    quit_program(1);
  }
  const int wanted = records[0].QUE_LINHA;
  if (wanted < 1 || wanted > int(records.size())) {
    char n[16];
    std::snprintf(n, sizeof n, "%2d", wanted);
    MENSAGEM("ESPERE", std::string("PADRAO DE COR ") + n + " NAO ENCONTRADO : ADEUS.");
    quit_program(1);
  }
  s.schemes = records[wanted - 1].schemes;
}

}  // namespace

Attr parse_pair(std::string_view pair, Attr fallback) {
  std::string text;
  bool bright_fg = false, bright_bg = false;
  for (char c : pair) {
    if (c == ' ') continue;
    if (c == '+') bright_fg = true;
    else if (c == '*') bright_bg = true;
    else text.push_back(latin1_upper(c));
  }
  if (text.empty() && !bright_fg && !bright_bg) return fallback;
  const size_t slash = text.find('/');
  const int fg = colour_number(text.substr(0, slash));
  const int bg = slash == std::string::npos ? 0 : colour_number(text.substr(slash + 1));
  return make_attr((fg < 0 ? 0 : fg) | (bright_fg ? 8 : 0), (bg < 0 ? 0 : bg) | (bright_bg ? 8 : 0));
}

Scheme parse_scheme(std::string_view scheme) {
  Scheme out{make_attr(7, 0), make_attr(0, 7), make_attr(0, 0), make_attr(0, 0), make_attr(0, 7)};
  Attr* slots[5] = {&out.normal, &out.selected, &out.border, &out.background, &out.unselected};
  for (int i = 0; i < 5; ++i) {
    const size_t comma = scheme.find(',');
    *slots[i] = parse_pair(scheme.substr(0, comma), *slots[i]);
    if (comma == std::string_view::npos) break;
    scheme.remove_prefix(comma + 1);
  }
  return out;
}

std::string set_colour(const std::string& scheme) {
  std::string previous = shell().colour;
  shell().colour = scheme;
  return previous;
}

Scheme current_scheme() { return parse_scheme(shell().colour); }

ColourGuard::ColourGuard() : saved_(shell().colour) {}
ColourGuard::~ColourGuard() { shell().colour = saved_; }

std::string SETCOR(const std::string& name) {
  if (!shell().schemes) load_schemes();
  for (int i = 0; i < 12; ++i) {
    if (name == kNames[i]) return (*shell().schemes)[i];
  }
  return "W/N,N/W,N,N,N/W";
}

std::string FSETCOR(const std::string& name) {
  for (const char* n : {"NORMAL", "BROWSE", "MENU", "REGUA", "FUNDO"}) {
    if (name == n) return "W+/N,N/W,B/N,,N/N";
  }
  if (name == "MENSAGEM") return "GR+/B,W+/BG,B/B,,N/W";
  if (name == "BOX") return "W+/N";
  if (name == "FINAL") return "W/N,N/W,N/W,,N/N";
  return "W+/N,N/W,N/N,,N/N";
}

bool TEMCOR() { return true; }

ColourRecord default_colour_record() {
  return ColourRecord{1,
                      "<= QUE_LINHA APONTA REGISTRO PADRAO COR",
                      {"W+/B, W+/BG, B/B,, N/BG", "GR+/B, W+/BG, B/B,, N/W",
                       "W+/B,  W+/BG, B/B,, N/BG", "W+/R,  W+/BG, B/B,, N/BG",
                       "W+/GR, W+/R,  B/B,, N/W", "N/W,   W+/R,  B/B,, N/W", "W+*/R", "RB+/B",
                       "N/N", "W+/B", "W+/B", "N/BG"}};
}

}  // namespace kav
