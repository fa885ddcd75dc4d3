#include "shell/header.h"

#include "base/trim.h"
#include "base/clock.h"
#include "shell/colour.h"
#include "shell/shell_state.h"
#include "shell/window.h"

namespace kav {

namespace {

int half(size_t n) { return int(n / 2); }

std::array<std::string, 2> header_texts(const HeaderData& d) {
  std::string status = month_abbreviation(d.CTR_MVM) + "/" + d.CTR_MVM.substr(0, 4) + " " +
                       d.CTR_CRD.substr(0, 1);
  if (d.SS_CONDIC) status = *d.SS_CONDIC + " " + status;
  return {d.SS_SIGL, status};
}

}  // namespace

std::string month_abbreviation(const std::string& competence) {
  static const std::string kMonths = "..JANFEVMARABRMAIJUNJULAGOSETOUTNOVDEZ";
  if (competence.size() < 6) return "???";
  const int month = (competence[4] - '0') * 10 + (competence[5] - '0');
  if (month < 1 || month > 12) return "???";
  return kMonths.substr(3 * month - 1, 3);
}

void CABEC(const std::string& code, const std::string& title, bool refresh) {
  ShellState& s = shell();
  if (!s.header_data) analyst_abort("Sr(a). Analista: DADOS DO CABECALHO NAO CONFIGURADOS");
  const HeaderData d = s.header_data();
  if (refresh || !s.header_texts) s.header_texts = header_texts(d);
  s.CCMP_KAV = d.CTR_MVM;
  set_colour(SETCOR("CABEC"));
  const Attr normal = current_scheme().normal;
  const Attr info = parse_scheme(SETCOR("OUTRO1")).normal;
  Screen& scr = screen();
  scr.fill(0, 0, Screen::kRows - 1, Screen::kCols - 1, ' ', normal);
  draw_frame(0, 0, 3, 79, 2, normal);
  draw_frame(22, 0, 24, 79, 2, normal);
  const std::string centre = "CENTRAL DE PRODUÇÃO KAV";
  const std::string screen_code = "ZAV/TELVORA/" + trim(code);
  scr.put(1, 1, (*s.header_texts)[0], info);
  scr.put(1, 39 - half(centre.size()), centre, info);
  scr.put(1, 79 - int(screen_code.size()), screen_code, info);
  scr.put(2, 39 - half(title.size()), title, info);
  scr.put(2, 1, (*s.header_texts)[1], info);
  scr.put(2, 69, current_clock().now().date.display(), info);
  draw_frame(4, 0, 21, 79, 2, normal);
  scr.put(24, 70 - int(s.DEF_KAV_VER.size()), "Versão:" + s.DEF_KAV_VER, normal);
  if (!trim(s.DEF_TAB_VER).empty()) scr.put(24, 3, "Tabela:" + s.DEF_TAB_VER, normal);
}

}  // namespace kav
