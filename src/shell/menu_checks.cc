#include "shell/menu_checks.h"

#include <vector>

#include "base/begins_with.h"
#include "base/trim.h"
#include "shell/message.h"
#include "shell/shell_state.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

// Least mapping-program version per band of competences, newest first.
struct DeparaBand {
  const char* from;
  const char* to;
  const char* minimum;
};
constexpr DeparaBand kDeparaBands[] = {
    {"201207", "999999", "01.24"}, {"201204", "201206", "01.22"}, {"201107", "201203", "01.20"},
    {"201106", "201106", "01.18"}, {"201105", "201105", "01.17"}, {"201012", "201104", "01.14"},
    {"201003", "201011", "01.12"}, {"201001", "201002", "01.11"}, {"200911", "200912", "01.10"},
    {"200904", "200910", "01.09"}, {"200901", "200903", "01.08"}, {"200809", "200812", "01.07"},
    {"200808", "200808", "01.06"}, {"200801", "200807", "01.01"},
};

bool depara_accepted(const std::string& depara, const std::string& competence) {
  return depara == shell().DEF_KAV_VER || depara >= depara_minimum(competence);
}

}  // namespace

bool VER_BDKAV_CMP() {
  const std::string competence = control_field("CTR", "CTR_MVM");
  if (!USAR("CDN")) return false;
  xbase::Table& cdn = *store().table("CDN");
  if (!cdn.Seek("55VERSAO").ok() || !cdn.found()) return true;
  const std::string kit = trim(field_value(cdn, "CDN_DSCR")).substr(0, 6);
  if (competence != kit) {
    MENSAGEM("ESPERE", "ATUALIZE O BDKAV PARA ESTA COMPETENCIA!");
    return false;
  }
  return true;
}

std::string depara_minimum(const std::string& competence) {
  for (const DeparaBand& band : kDeparaBands) {
    if (competence >= band.from && competence <= band.to) return band.minimum;
  }
  return "";
}

bool VRF_DEPARA() {
  const ShellState& s = shell();
  const std::string depara = trim(control_field("SS", "SS_DPCNES"));
  if (!depara_accepted(depara, control_field("CTR", "CTR_MVM"))) {
    MENSAGEM2({"A T E N C A O", "A PARTIR DA COMPETENCIA JAN/2008 SERA OBRIGATORIA A UTILIZACAO",
               "DA VERSAO MINIMA DO APLICATIVO DE-PARA",
               "CONSULTE NO SITE DO KAV, A VERSAO MININA PARA ESTA COMPETENCIA",
               "VERSAO UTILIZADA DO DE-PARA : " + depara + " IMPROPRIA P/ESTA COMPT."});
    if (!begins_with(s.DEF_KAV_VER, "00")) return false;
  }
  const std::string kit = trim(s.DEF_TAB_VER);
  if (kit.empty() || kit < "200801a") {
    MENSAGEM2({"A T E N C A O", "ESTA VERSAO EXIGE A TABELA BDKAV MAIS RECENTE",
               "ATUALIZE A VERSAO DA TABELA OU RETORNE A VERSAO", "ANTERIOR DO KAV/SUS"});
    return false;
  }
  return true;
}

}  // namespace kav
