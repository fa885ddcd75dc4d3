// kavfix demo: the demo folder, an installation with a small kit.
#include <cstdio>
#include <string>

#include "command.h"
#include "demo.h"

namespace kav::kavfix {

namespace {

int run(const Args& args) {
  std::string dir;
  bool force = false;
  Status st;
  for (const std::string& a : args) {
    if (a == "--force") {
      force = true;
    } else if (!a.empty() && a[0] != '-' && dir.empty()) {
      dir = a;
    } else {
      st = Status::Invalid("argumento invalido: " + a);
    }
  }
  if (st.ok() && dir.empty()) st = Status::Invalid("informe a pasta do demo");
  if (st.ok()) st = make_demo(dir, force);
  if (st.ok())
    std::printf("demo criado em %s: competencia %s, usuario A, senha K\n", dir.c_str(),
                kDemoCompetence);
  return command_status("demo", st);
}

}  // namespace

const Command kDemoCommand = {
    "demo",
    "PASTA [--force]",
    "    Pasta de demonstracao: uma instalacao municipal (SP, 355030) na competencia\n"
    "    fixa do demo com um kit de tabelas nacionais pequeno e sintetico.\n"
    "    Usuarios de A a U14, senha inicial \"K\".\n"
    "    --force             substitui uma instalacao existente em PASTA",
    run,
};

}  // namespace kav::kavfix
