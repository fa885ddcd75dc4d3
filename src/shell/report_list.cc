#include "shell/report_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "base/file_resolver.h"
#include "base/latin1.h"
#include "platform/keys.h"
#include "shell/array_cursor.h"
#include "shell/browse.h"
#include "shell/colour.h"
#include "shell/dialog_guard.h"
#include "shell/message.h"
#include "shell/shell_state.h"
#include "shell/text_viewer.h"

namespace kav {

namespace {

constexpr const char* kExtensions[] = {"DOC", "TXT", "PRN", "JAN", "FEV", "MAR", "ABR", "MAI",
                                       "JUN", "JUL", "AGO", "SET", "OUT", "NOV", "DEZ"};

int extension_rank(const std::string& name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return 0;
  const std::string ext = latin1_upper(name.substr(dot + 1));
  for (size_t i = 0; i < std::size(kExtensions); ++i) {
    if (ext == kExtensions[i]) return int(i) + 1;
  }
  return 0;
}

std::optional<ReportFile> describe(const std::string& folder, const std::string& name) {
  struct stat st;
  if (::stat((folder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  std::tm tm;
  localtime_r(&st.st_mtime, &tm);
  char date[40], time[40];
  std::snprintf(date, sizeof date, "%02d/%02d/%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
  return ReportFile{name, uint64_t(st.st_size), date, time};
}

std::string right_aligned(uint64_t n, size_t width) {
  const std::string s = std::to_string(n);
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

void show_hint() {
  const Attr a = parse_scheme(SETCOR("MENSAGEM")).normal;
  const std::string head = "<ENTER> visualizar / <ESC> sair / ";
  const std::string tail = " escolher  <P> imprimir";
  const int width = int(head.size() + 4 + tail.size());
  const int col = 40 - width / 2;
  Screen& s = screen();
  s.fill(23, 1, 23, 78, ' ', a);
  s.put(23, col, head, a);
  const Glyph arrows[4] = {glyph::kArrowUp, glyph::kArrowDown, glyph::kArrowLeft, glyph::kArrowRight};
  for (int i = 0; i < 4; ++i) s.put_glyph(23, col + int(head.size()) + i, arrows[i], a);
  s.put(23, col + int(head.size()) + 4, tail, a);
}

void print(const std::string& name) {
  if (!shell().print_file) return MENSAGEM("ESPERE", "IMPRESSAO NAO DISPONIVEL NESTA INSTALACAO");
  const Status st = shell().print_file(name);
  if (!st.ok()) MENSAGEM("ESPERE", "NAO FOI POSSIVEL IMPRIMIR " + name + ": " + st.message());
}

void browse_reports(const std::vector<ReportFile>& files) {
  ArrayCursor cursor(files.size());
  Browse b(&cursor, nullptr, nullptr, nullptr, nullptr);
  b.set_window(8, 1, 20, 78);
  const auto at = [&]() -> const ReportFile& { return files[cursor.row()]; };
  b.add_column("Nome", 35, [&] { return at().name; });
  b.add_column("Tamanho", 12, [&] { return right_aligned(at().size, 12); });
  b.add_column("Data", 10, [&] { return at().date; });
  b.add_column("Hora", 8, [&] { return at().time; });
  for (;;) {
    show_hint();
    b.stabilize();
    const int code = keyboard().wait_key().code;
    if (code == key::kEsc) return;
    if (b.navigate(code)) continue;
    if (code == key::kEnter) VETEXTO(at().name, 0, 0, 24, 79);
    if (code == 'P' || code == 'p') print(at().name);
  }
}

}  // namespace

std::vector<ReportFile> report_files(const std::string& folder) {
  std::vector<ReportFile> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || latin1_upper(name[0]) != 'R') continue;
    if (auto f = describe(folder, name)) files.push_back(*f);
  }
  for (const char* extra : {"LERNOTAS.TXT", "falha.prn"}) {
    if (auto path = resolve_path(folder + "/" + extra)) {
      if (auto f = describe(folder, std::filesystem::path(*path).filename().string())) {
        files.push_back(*f);
      }
    }
  }
  std::sort(files.begin(), files.end(), [](const ReportFile& a, const ReportFile& b) {
    const int ra = extension_rank(a.name), rb = extension_rank(b.name);
    if (ra != rb) return ra < rb;
    return latin1_upper(a.name) < latin1_upper(b.name);
  });
  return files;
}

void VER1() {
  struct Suspended {
    Keyboard::HotKeys keys = keyboard().suspend_hot_keys();
    ~Suspended() { keyboard().reinstate_hot_keys(std::move(keys)); }
  } suspended;
  const std::vector<ReportFile> files = report_files(".");
  if (files.empty()) return MENSAGEM("ESPERE", "NADA PARA MOSTRAR !");
  DialogGuard guard;
  const Region saved = screen().save_all();
  const Attr a = current_scheme().normal;
  screen().fill(7, 1, 20, 78, ' ', a);
  screen().put(7, 1, "Relatorios gerados no seu diretorio ----------------------> Funcao Visualizar ", a);
  browse_reports(files);
  screen().restore(saved);
}

}  // namespace kav
