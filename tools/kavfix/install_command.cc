// kavfix install: a fresh installation folder for a secretariat.
#include <cstdio>
#include <string>

#include "base/latin1.h"
#include "command.h"
#include "installation.h"

namespace kav::kavfix {

namespace {

struct Request {
  std::string dir;
  InstallSpec spec;
  bool force = false;
};

// The option's place in the spec, or null when it takes no value.
std::string* value_option(const std::string& name, InstallSpec* spec) {
  if (name == "--uf") return &spec->uf;
  if (name == "--municipio") return &spec->municipality;
  if (name == "--competencia") return &spec->competence;
  if (name == "--nome") return &spec->name;
  if (name == "--sigla") return &spec->abbreviation;
  if (name == "--cnpj") return &spec->cnpj;
  if (name == "--condicao") return &spec->condition;
  if (name == "--cadcheck") return &spec->cadcheck_folder;
  return nullptr;
}

Status parse(const Args& args, Request* req) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (std::string* value = value_option(a, &req->spec)) {
      if (i + 1 >= args.size()) return Status::Invalid(a + " sem valor");
      *value = args[++i];
    } else if (a == "--estadual") {
      req->spec.state = true;
    } else if (a == "--force") {
      req->force = true;
    } else if (!a.empty() && a[0] != '-') {
      if (!req->dir.empty()) return Status::Invalid("mais de uma pasta: " + a);
      req->dir = a;
    } else {
      return Status::Invalid("opcao invalida: " + a);
    }
  }
  if (req->dir.empty()) return Status::Invalid("informe a pasta da instalacao");
  return complete_spec(&req->spec);
}

int run(const Args& args) {
  Request req;
  Status st = parse(args, &req);
  if (st.ok()) st = install(req.dir, req.spec, req.force);
  if (st.ok())
    std::printf("instalacao criada em %s: %s %s, competencia %s\n", req.dir.c_str(),
                req.spec.uf.c_str(), latin1_to_utf8(req.spec.name).c_str(),
                req.spec.competence.c_str());
  return command_status("install", st);
}

}  // namespace

const Command kInstallCommand = {
    "install",
    "PASTA --uf UF (--municipio IBGE | --estadual) [--competencia AAAAMM] [--nome NOME]\n"
    "        [--sigla SIGLA] [--cnpj CNPJ] [--condicao CC] [--cadcheck PASTA]\n"
    "        [--force]",
    "    Instalacao nova do KAV em PASTA: subpastas, S_SS, S_CTR, todas as tabelas\n"
    "    do catalogo vazias com seus indices, S_USAKAV.DBI (senha inicial \"K\"),\n"
    "    S_COR.DBF, CONFIMP.DBF e cadcheck.so. Montada numa pasta temporaria e\n"
    "    movida no fim.\n"
    "    --uf UF             sigla da unidade da federacao (SP, RJ, ...)\n"
    "    --municipio IBGE    secretaria municipal: codigo IBGE de 6 digitos da UF\n"
    "    --estadual          secretaria estadual (gestor UF + \"0000\")\n"
    "    --competencia       primeira competencia (padrao: o mes atual)\n"
    "    --nome, --sigla     nome (40; a municipal leva o do municipio) e sigla (10)\n"
    "    --cnpj              CNPJ da secretaria (14 digitos)\n"
    "    --condicao CC       condicao de gestao (padrao: PG municipal, EP estadual)\n"
    "    --cadcheck PASTA    copia o cadcheck.so de PASTA (padrao: a do kavfix)\n"
    "    --force             substitui uma instalacao existente em PASTA",
    run,
};

}  // namespace kav::kavfix
