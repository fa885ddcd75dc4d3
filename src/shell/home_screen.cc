#include "shell/home_screen.h"

#include <string>

#include "base/trim.h"
#include "shell/colour.h"
#include "shell/embaralha.h"
#include "shell/menu_checks.h"
#include "shell/shell_state.h"
#include "shell/window.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

// Text centred in `width` columns from `col`, blanks around it.
void put_centred(int row, int col, int width, const std::string& text, Attr attr) {
  std::string line(width, ' ');
  const size_t n = std::min(text.size(), size_t(width));
  line.replace((width - n) / 2, n, text.substr(0, n));
  screen().put(row, col, line, attr);
}

std::string registry_origin() {
  if (!USAR("UPS")) return "";
  xbase::Table& ups = *store().table("UPS");
  if (!ups.GoTop().ok() || ups.eof()) return "CADASTRO : NÃO EXISTENTE";
  for (; !ups.eof(); ups.Skip()) {
    const std::string flag = field_value(ups, "UPS_LOCNAC");
    if (flag == "2") continue;
    return flag == "1" ? "CADASTRO : TXT CNES LOCAL" : "CADASTRO : TXT CNES NACIONAL PRÉVIA";
  }
  return "CADASTRO : TXT CNES NACIONAL";
}

// "dd/mm/aaaa hh:mm:ss" of a stamp YYYYMMDDhhmmss.
std::string stamp_text(const std::string& s) {
  auto part = [&](size_t at, size_t n) { return at < s.size() ? s.substr(at, n) : ""; };
  return part(6, 2) + "/" + part(4, 2) + "/" + part(0, 4) + " " + part(8, 2) + ":" + part(10, 2) +
         ":" + part(12, 2);
}

// The description of the kit row "55" + scrambled `item`, unscrambled;
// empty when the row is missing.
bool minimum_version(const std::string& item, std::string* version) {
  if (!USAR("CDN")) return false;
  xbase::Table& cdn = *store().table("CDN");
  if (!cdn.Seek("55" + EMBARALHA(item)).ok() || !cdn.found()) return false;
  *version = DESEMBARALHA(trim(field_value(cdn, "CDN_DSCR")));
  return true;
}

}  // namespace

void ATUALIZA_INFORMACOES_TELA_PRINCIPAL() {
  const Attr attr = parse_scheme(SETCOR("OUTRO1")).normal;
  auto line = [&](int row, const std::string& text) { put_centred(row, 2, 76, text, attr); };
  line(10, registry_origin());
  const std::string depara = trim(control_field("SS", "SS_DPCNES"));
  if (!depara.empty()) line(11, "ÚLTIMA VERSÃO DE-PARA(KAV) UTILIZADA : " + depara);
  const std::string run = trim(control_field("SS", "SS_DEPARA"));
  if (!run.empty()) line(12, "DATA/HORA DE-PARA(KAV) EXECUTADA : " + stamp_text(run));
  if (control_field("CTR", "CTR_MVM") < "201604") return;
  static const std::pair<const char*, const char*> kMinimums[] = {
      {"KAV", "VERSÃO MINIMA DO KAV EXIGIDA NESTA COMPETÊNCIA : "},
      {"DEPARA", "VERSÃO MINIMA DO DEPARA EXIGIDA NESTA COMPETÊNCIA : "},
      {"MINIMO", "VERSÃO MINIMA DO BDKAV EXIGIDA NESTA COMPETÊNCIA : "},
  };
  int row = 13;
  for (const auto& [item, caption] : kMinimums) {
    std::string version;
    if (minimum_version(item, &version)) line(row, caption + version);
    ++row;
  }
}

void ULTIMA_MSG() {
  const Attr frame = parse_pair("B/W", make_attr(1, 7));
  Screen& scr = screen();
  scr.fill(0, 0, 5, 79, ' ', frame);
  draw_frame(0, 0, 5, 79, 1, frame);
  put_centred(1, 1, 78, "KAV/SUS - Processamento da Produção Ambulatorial do SUS", frame);
  put_centred(2, 1, 78, "Encerramento da execução do KAV/SUS", parse_pair("GR+/W", frame));
  put_centred(3, 1, 78, "Notas da versão " + shell().DEF_KAV_VER + ": LERNOTAS.TXT na pasta do programa",
              frame);
  put_centred(4, 1, 78, "Produção bem registrada é produção bem paga.", frame);
  scr.set_cursor(6, 0);
  scr.set_cursor_shape(CursorShape::kNormal);
}

}  // namespace kav
