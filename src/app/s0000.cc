#include "app/s0000.h"

#include <unistd.h>

#include <climits>

#include "admin/fautor_uso.h"
#include "app/main_menu.h"
#include "app/pending_screen.h"
#include "base/begins_with.h"
#include "base/latin1.h"
#include "base/trim.h"
#include "platform/desktop_shortcut.h"
#include "shell/clipboard_keys.h"
#include "shell/colour.h"
#include "shell/header.h"
#include "shell/home_screen.h"
#include "shell/menu_checks.h"
#include "shell/message.h"
#include "shell/settings_files.h"
#include "shell/shell_state.h"
#include "shell/startup_notices.h"
#include "shell/startup_tables.h"
#include "shell/store_bridge.h"
#include "store/creators.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

bool exists(const char* name) { return store().exists(name); }

std::string CTR(const char* name) { return control_field("CTR", name); }

// The quits of the start-up that end without recording the index stamps:
// the tables are closed as they are.
[[noreturn]] void quit_as_is() {
  shell().before_quit = [] { store().workspace().CloseAll(); };
  quit_program(0);
}

// Closes every table with the stamps, shows the exit screen and ends.
[[noreturn]] void leave_program() {
  set_colour("W/N");
  screen().fill(0, 0, Screen::kRows - 1, Screen::kCols - 1, ' ', make_attr(7, 0));
  shell().before_quit = nullptr;
  USAR("FECHANDO");
  ULTIMA_MSG();
  leave_on_screen(0);
}

// Console and global variables (steps 1 to 6).
void prepare(const std::vector<std::string>& args) {
  ShellState& s = shell();
  if (args.size() >= 2) {
    s.CUSUARIO = args[0];
    s.CSENHA = args[1];
  }
  if (args.size() >= 3) s.CTEST_FUNCAO = args[2];
  s.console->set_title("KAV/SUS");
  set_colour("W+/B");
  screen().fill(0, 0, Screen::kRows - 1, Screen::kCols - 1, ' ', current_scheme().normal);
  load_settings();
  SETCOR("CABEC");
}

// Step 7: the control files or the kit are missing; "7" goes on, Esc quits.
void check_folder() {
  if (exists("S_CDN.DBF") && exists("S_SS.DBF") && exists("S_CTR.DBF")) return;
  static const char* const kLines[] = {
      "",
      " ATENCAO : Os arquivos de controle ou alguns arquivos do BDKAV",
      "           nao foram encontrados!",
      "",
      " Possiveis razoes : 1 - O sistema encontra-se instalado em outra pasta.",
      "                    2 - O Anti-virus Bloqueou o sistema.",
      "                    3 - Os arquivos foram excluidos por engano.",
      "                    4 - O sistema não foi instalado corretamente!",
      "",
      " Confirme a pasta do sistema, verifique se ele esta em outra pasta!",
      " Veja se o seu anti-virus colocou o kav32 na quarentena! ou se foi excluido!",
      " Se nada mais restar, restaure a copia de seguranca!",
      "",
      " !!!TECLE 7 PARA CONTINUAR OU ESC PARA SAIR!!!",
  };
  Screen& scr = screen();
  scr.fill(0, 0, Screen::kRows - 1, Screen::kCols - 1, ' ', current_scheme().normal);
  scr.put(0, 0, " kav32 - VERSAO " + shell().DEF_KAV_VER, current_scheme().normal);
  int row = 1;
  for (const char* line : kLines) scr.put(row++, 0, line, current_scheme().normal);
  for (;;) {
    const int key = keyboard().inkey().code;
    if (key == '7') return;
    if (key == key::kEsc) quit_as_is();
  }
}

// Step 9: the index check and the kit version. Another copy of the program
// on this folder (its tables held) ends this one.
void open_catalog() {
  if (!USAR("ABRINDO")) quit_as_is();
  if (!exists("S_CDN.DBF") || !USAR("CDN")) return;
  xbase::Table& cdn = *store().table("CDN");
  if (cdn.Seek("55VERSAO").ok() && cdn.found()) {
    shell().DEF_TAB_VER = trim(field_value(cdn, "CDN_DSCR"));
  }
  store().workspace().Close("CDN");
}

// Step 10: a folder with the national tables only runs their consultation.
[[noreturn]] void tables_only() {
  Screen& scr = screen();
  scr.fill(0, 0, Screen::kRows - 1, Screen::kCols - 1, ' ', current_scheme().normal);
  scr.put(0, 0, "        kav32 - " + shell().DEF_KAV_VER, current_scheme().normal);
  scr.put(1, 0, "        kav32 : PROGRAMA NAO FOI CORRETAMENTE INSTALADO.", current_scheme().normal);
  for (const char* kit : {"S_PA.DBF", "S_PACBO.DBF", "S_PASRV.DBF", "S_PAHA.DBF", "S_CDN.DBF"}) {
    if (!exists(kit)) quit_as_is();
  }
  if (!USAR("PA")) quit_as_is();
  const std::string competence = field_value(*store().table("PA"), "PA_CMP");
  if (!exists("S_SS.DBF")) {
    if (!create_table(store(), "S_SS", false)) quit_as_is();
    static const std::pair<const char*, const char*> kTablesOnlySecretariat[] = {
        {"SS_UFIBGE", "XX"}, {"SS_UFSIGL", "XX"}, {"SS_UFNOME", "Tabelas"}, {"SS_NM", "Tabelas"},
        {"SS_SIGL", "Tabelas"}, {"SS_IN", "E"}, {"SS_CONDIC", "EC"}, {"SS_GESTAO", "999999"},
    };
    for (const auto& [name, value] : kTablesOnlySecretariat) set_control_field("SS", name, value);
  }
  if (!exists("S_CTR.DBF") && !create_table(store(), "S_CTR", false)) quit_as_is();
  set_control_field("CTR", "CTR_MVM", competence);
  if (!exists("S_COMPFEDERAL.DBF")) create_table(store(), "S_COMPFEDERAL", false);
  install_hot_keys();
  CABEC("TAB.", "<< APENAS TABELAS >>");
  if (!exists("S_VPA.DBF")) create_table(store(), "S_VPA", false);
  pending_screen("S0107");
  leave_program();
}

// Step 18: the upgrade of a folder last used by an older version.
void upgrade_version() {
  const ShellState& s = shell();
  const std::string version = CTR("CTR_VERSAO");
  if (!(version < s.DEF_KAV_VER)) return;
  const std::string competence = CTR("CTR_MVM");
  const std::string credit = CTR("CTR_CRD");
  if (trim(version).empty() && competence < "200801") {
    if (credit == "A") {
      MENSAGEM2(notice_old_competence(competence));
      quit_as_is();
    }
    if (credit == "F") {
      MENSAGEM2(notice_new_procedure_table());
      if (CONFIRMA("Deseja atualizar as tabelas agora?") != "S") {
        MENSAGEM("ESPERE", "ATUALIZACAO CANCELADA, SAINDO DO SISTEMA!");
        quit_as_is();
      }
      if (!clean_before_2008()) quit_as_is();
    }
  }
  if (version < "01.08" && !begins_with(version, "00") && !wait_for_seven(notice_two_files(), true)) {
    quit_as_is();
  }
  if (CTR("CTR_CRD") == "A" && !record_program_version()) quit_as_is();
}

// Steps 19 to 21: kits withdrawn, the April 2013 notice, a damaged
// secretariat kind.
void check_versions_and_kind() {
  const std::string& kit = shell().DEF_TAB_VER;
  if (kit == "200908a" || kit == "200908b") {
    MENSAGEM2(notice_withdrawn_kit());
    quit_as_is();
  }
  if (CTR("CTR_MVM") == "201304") wait_for_seven(notice_version_0328());
  const std::string kind = latin1_upper(control_field("SS", "SS_IN"));
  if (kind != "E" && kind != "M") {
    MENSAGEM2(notice_corrupt_installation());
    quit_as_is();
  }
}

// Step 23: the kind of installation must agree with the condition of
// management; otherwise the settings screen, then the end.
void check_coherence() {
  const std::string kind = latin1_upper(control_field("SS", "SS_IN"));
  const std::string condition = control_field("SS", "SS_CONDIC");
  static const char* const kState[] = {"EC", "EP", "EN", "EA"};
  static const char* const kMunicipal[] = {"MS", "PB", "MP", "PA", "MN", "PG"};
  auto among = [&](auto& list) {
    for (const char* c : list) {
      if (condition == c) return true;
    }
    return false;
  };
  std::string text;
  if (kind == "E" && !among(kState)) {
    text = "Instalacao Estadual incoerente com a condicao de gestao: " + condition;
  } else if (kind == "M" && !among(kMunicipal)) {
    text = "Instalacao Municipal incoerente com a condicao de gestao: " + condition;
  } else if (kind != "E" && kind != "M") {
    text = "Instalacao deve ser Municipal ou Estadual: " + kind + " (S_SS.DBF)";
  } else {
    return;
  }
  MENSAGEM("ESPERE", text);
  pending_screen("S0606");
  quit_as_is();
}

// The desktop shortcut of this program and folder.
void create_shortcut() {
  char program[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", program, sizeof program - 1);
  char folder[PATH_MAX];
  if (n <= 0 || ::getcwd(folder, sizeof folder) == nullptr) return;
  program[n] = '\0';
  Status st = create_desktop_shortcut(desktop_folder(), program, folder);
  if (!st.ok()) MENSAGEM("ESPERE", "ATALHO NAO CRIADO: " + st.message());
}

// Steps 29 to 31: notices after the login, the shortcut, the ordinances.
void after_login() {
  const std::string competence = CTR("CTR_MVM");
  const std::string credit = CTR("CTR_CRD");
  if (competence <= "202304") MENSAGEM2(notice_forum());
  if (credit == "A" && competence >= "201601" && competence <= "201608") {
    MENSAGEM2(notice_automatic_vbq());
  }
  if (shell().WXW_LATALHO_KAV) create_shortcut();
  if (shell().WXW_LV_NOVA_VERSAO) pending_screen("CONECTA_FTP_TELVORA");
  if (credit == "A" && apac_table_has_rows()) {
    for (const OrdinanceNotice& n : ordinance_notices()) {
      if (competence >= n.first && competence <= n.last) wait_for_seven(n.lines);
    }
  }
}

}  // namespace

void S0000(const std::vector<std::string>& args) {
  StoreContext ctx;
  ToolkitStoreUi ui;
  ctx.ui = &ui;
  ctx.CTEST_FUNCAO = [] { return shell().CTEST_FUNCAO; };
  ctx.CCMP_KAV = [] { return shell().CCMP_KAV; };
  Store program_store(ctx);
  install_store(&program_store);
  shell().header_data = [] { return header_data_from_store(store()); };
  shell().before_quit = [] { USAR("FECHANDO"); };

  prepare(args);
  check_folder();
  if (!create_base_tables()) quit_as_is();
  open_catalog();
  if (!(exists("S_SS.DBF") && exists("S_CTR.DBF") && exists("S_UPS.DBF"))) tables_only();
  if (!create_start_tables() || !fix_secretariat_code() || !rebuild_municipality_list() ||
      !set_management_condition() || !check_value_table() || !create_reprocessing_table() ||
      !clean_habilitations()) {
    quit_as_is();
  }
  upgrade_version();
  check_versions_and_kind();
  if (!F_REMAPA2()) quit_as_is();
  check_coherence();
  VRF_DEPARA();
  VRF_CODIGOS_TABRIX();
  open_production_tables();
  VRF_APAC_ENCERRAMENTO2023();

  std::string user = shell().CUSUARIO, password = shell().CSENHA;
  for (;;) {
    std::vector<std::string> rights;
    if (!FAUTOR_USO(&rights, "ACESSAR", user, password)) leave_program();
    user.clear();
    password.clear();
    after_login();
    activate_establishments();
    REFOVPA();
    if (main_bar(rights) == BarExit::kLeave) leave_program();
  }
}

}  // namespace kav
