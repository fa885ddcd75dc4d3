#include "shell/settings_files.h"

#include "base/file_resolver.h"
#include "base/mem_file.h"
#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

// KAV32.MEM holds the options as logical variables under these names.
struct StartOption {
  const char* name;
  bool ShellState::*flag;
};
constexpr StartOption kStartOptions[] = {
    {"WXW_LTELA_CHEIA", &ShellState::WXW_LTELA_CHEIA},
    {"WXW_LV_NOVA_VERSAO", &ShellState::WXW_LV_NOVA_VERSAO},
    {"WXW_LATALHO_KAV", &ShellState::WXW_LATALHO_KAV},
};

// Reads a settings file; a damaged one is reported and read as empty.
MemFile read_settings(const std::string& folder, const char* name) {
  MemFile mem;
  Status st = MemFile::Read(resolve_or_same(folder + "/" + name), &mem);
  if (!st.ok()) {
    MENSAGEM("ESPERE", std::string("ARQUIVO ") + name + " DANIFICADO - USANDO O PADRAO");
    mem = MemFile();
  }
  return mem;
}

}  // namespace

void load_settings(const std::string& folder) {
  ShellState& s = shell();
  MemFile printer = read_settings(folder, kPrinterSettingsFile);
  s.CIMP = printer.text("CIMP").value_or("PRN");
  MemFile options = read_settings(folder, kStartOptionsFile);
  for (const StartOption& o : kStartOptions) s.*o.flag = options.logical(o.name).value_or(false);
}

Status save_printer_choice(const std::string& folder) {
  MemFile mem;
  mem.set_text("CIMP", shell().CIMP);
  return mem.Write(resolve_or_same(folder + "/" + kPrinterSettingsFile));
}

Status save_start_options(const std::string& folder) {
  MemFile mem;
  for (const StartOption& o : kStartOptions) mem.set_logical(o.name, shell().*o.flag);
  return mem.Write(resolve_or_same(folder + "/" + kStartOptionsFile));
}

}  // namespace kav
