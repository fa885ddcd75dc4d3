// kavfix demo: the demo folder, an installation with a small kit.
#include <cstdio>
#include <string>

#include "command.h"
#include "demo.h"

namespace kav::kavfix {

namespace {

int run(const Args& args) {
  std::string dir, cadcheck;
  bool force = false;
  Status st;
  for (size_t i = 0; i < args.size() && st.ok(); ++i) {
    const std::string& a = args[i];
    if (a == "--force") {
      force = true;
    } else if (a == "--cadcheck" && i + 1 < args.size()) {
      cadcheck = args[++i];
    } else if (!a.empty() && a[0] != '-' && dir.empty()) {
      dir = a;
    } else {
      st = Status::Invalid("argumento invalido: " + a);
    }
  }
  if (st.ok() && dir.empty()) st = Status::Invalid("informe a pasta do demo");
  if (st.ok()) st = make_demo(dir, force, cadcheck);
  if (st.ok())
    std::printf("demo criado em %s: competencia %s, usuario A, senha K\n", dir.c_str(),
                kDemoCompetence);
  return command_status("demo", st);
}

}  // namespace

const Command kDemoCommand = {
    "demo",
    "PASTA [--cadcheck PASTA] [--force]",
    "    Pasta de demonstracao: uma instalacao municipal (SP, 355030) na competencia\n"
    "    fixa do demo com um kit de tabelas nacionais pequeno e sintetico.\n"
    "    Usuarios A e U02 a U14, senha inicial \"K\".\n"
    "    --cadcheck PASTA    copia o cadcheck.so de PASTA (padrao: a do kavfix)\n"
    "    --force             substitui uma instalacao existente em PASTA",
    run,
};

}  // namespace kav::kavfix
