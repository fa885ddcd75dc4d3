// The six submenus of the main bar as data.
#include <string>
#include <vector>

#include "admin/fautor_uso.h"
#include "app/pending_screen.h"
#include "app/selection_menus.h"
#include "app/submenu.h"
#include "base/competence.h"
#include "shell/header.h"
#include "shell/menu_checks.h"
#include "shell/shell_state.h"
#include "store/fields.h"
#include "store/store_global.h"

namespace kav {

namespace {

using N = Need;

std::function<void()> pending(const char* screen) {
  return [screen] { pending_screen(screen); };
}

void open_control_tables() {
  USAR("SS");
  USAR("CTR");
}

std::vector<SubmenuEntry> mcadas() {
  return {
      {"CNES - CONSULTA", "CONSULTA DE CNES IMPORTADOS PELO DE-PARA", {}, pending("S0101")},
      {"MANTENEDORA - CONSULTA", "CONSULTA DE MANTENEDORAS", {}, pending("S0102")},
      {"FORNECEDORES ANVISA", "CONSULTA FORNECEDORES - ANVISA", {}, pending("S0102")},
      {"TABELA REGIÃO DE SAÚDE", "TABELA REGIÃO DE SAÚDE", {}, pending("S0104")},
      {"TABELAS NACIONAIS", "CONSULTA TABELAS NACIONAIS", {}, pending("S0107")},
      {"NUMERAÇÃO DE APAC", "SEQUÊNCIAS DE NUMEROS DE APAC DISPONIVEIS", {}, pending("S0112")},
      {"IMP.TXT CNES E TERC.BRASIL",
       "IMPORTAÇÃO DE TERCEIROS BRASIL E BASE PADRÃO TXT CNES (DE-PARA)", {}, pending("S0108")},
  };
}

std::vector<SubmenuEntry> morca() {
  return {
      {"CONSULTA DO ORÇAMENTO (FPO)", "CONSULTA DO ORÇAMENTO (FPO)", {N::kMapping},
       pending("S0201")},
      {"EMISSÃO ACOMPANHAMENTO DOS ESTABELECIMENTOS",
       "EMISSÃO ACOMPANHAMENTO ORCAMENTÁRIO DOS ESTABELECIMENTOS", {},
       [] { MN_0202([](const std::string&, const std::string&) { pending_screen("S0202"); }); }},
      {"EMISSÃO ACOMPANHAMENTO MUNICIPIO/UF",
       "EMISSÃO ACOMPANHAMENTO ORCAMENTÁRIO POR MUNICIPIO / UF", {}, pending("S0203")},
      {"IMPORTAÇÃO DE ORÇAMENTO AMBULATORIAL",
       "IMPORTA ARQUIVO(s) COM A PROGRAMAÇÃO ORÇAMENTÁRIA AMBULATORIAL (ZEMBRA)", {},
       pending("S0206")},
      {"EXPORTAÇÃO DE ORÇAMENTO AMBULATORIAL",
       "EXPORTA ARQUIVO COM A PROGRAMAÇÃO ORÇAMENTÁRIA AMBULATORIAL (ZEMBRA)", {},
       pending("S0207")},
  };
}

std::vector<SubmenuEntry> mprod() {
  return {
      {"CONSULTA/EXCLUSÃO DE BPA-C",
       "CONSULTA/EXCLUSÃO DE BOLETIM DE PRODUÇÃO AMBULATORIAL CONSOLIDADO",
       {N::kKit, N::kMapping}, pending("S0301")},
      {"CONSULTA/EXCLUSÃO DE BPA-I",
       "CONSULTA/EXCLUSÃO DE BOLETIM DE PRODUÇÃO AMBULATORIAL INDIVIDUALIZADO",
       {N::kKit, N::kMapping}, pending("S0305")},
      {"IMPORTAÇÃO DE BPA", "IMPORTAÇÃO DE BPA (CONSOLIDADO E INDIV.) EM MEIO MAGNÉTICO",
       {N::kKit, N::kMapping}, pending("S0302")},
      {"IMPORTAÇÃO DE APAC/RAAS", "IMPORTAÇÃO DE APAC/RAAS EM MEIO MAGNÉTICO",
       {N::kKit, N::kMapping}, pending("S0320")},
      {"SITUAÇÃO DA PRODUÇÃO", "SITUAÇÃO DE PRODUÇÃO DOS CNES", {}, pending("S0303")},
      {"ESTATÍSTICA DA PRODUÇÃO", "ESTATÍSTICA DA PRODUÇÃO", {}, pending("S0304")},
      {"PESQUISA/EXCLUSÃO DE APAC", "PESQUISA/EXCLUSAO DE APAC", {N::kKit}, pending("S0330")},
      {"CONSISTÊNCIA", "CONSISTÊNCIA DA PRODUÇÃO", {N::kKit, N::kMapping}, pending("S0350")},
      {"PESQUISA/EXCLUSÃO DE RAAS", "PESQUISA/EXCLUSÃO DE REGISTROS DO RAAS",
       {N::kKit, N::kMapping}, pending("S0306")},
  };
}

std::vector<SubmenuEntry> mdp() {
  return {
      {"BOLETIM DE DIFERENÇA DE PAGAMENTO", "BOLETIM DE DIFERENÇA DE PAGAMENTO", {N::kKit},
       pending("S0401")},
      {"EMISSÃO SÍNTESE DIFERENÇA DE PAGAMENTO", "EMISSÃO DA SÍNTESE DA DIFERENÇA DE PAGAMENTO",
       {}, pending("S0402")},
      {"EMISSÃO SÍNTESE DIF.PAG. QUANTIDADES", "EMISSÃO DA SÍNTESE DA DIF.PAG. - QUANTIDADES", {},
       pending("S0402B")},
  };
}

std::vector<SubmenuEntry> mcr() {
  std::vector<SubmenuEntry> entries = {
      {"CALCULO DO VALOR BRUTO", "CALCULO DO VLR.BRUTO(PRODUÇÃO+VLR.BRUTO)", {},
       pending("S0501")},
      {"EMISSÃO RELAÇÃO DE VALOR BRUTO", "EMISSÃO DA RELAÇÃO DE VALOR BRUTO",
       {N::kCreditProcessed, N::kValued},
       [] {
         MN_S0505([](const std::string&) { pending_screen("S0505"); },
                  [](const std::string&) { pending_screen("S0506"); });
       }},
      {"EMISSÃO SÍNTESE DA PRODUCAO - BPA", "EMISSÃO DA SÍNTESE DA PRODUCAO AMBULATORIAL - BPA",
       {N::kCreditProcessed},
       [] { MNSITUACAO(14, 39, [](const SynthesisChoice&) { pending_screen("S0507"); }); }},
      {"EMISSÃO SÍNTESE DA PRODUCAO - APAC",
       "EMISSÃO DA SÍNTESE DA PRODUCAO AMBULATORIAL - APAC", {N::kCreditProcessed},
       [] { MNSIT0570(14, 48, [](const std::string&) { pending_screen("S0570"); }); }},
      {"GERACÃO DE ARQUIVO PARA O GEFX", "GERAÇÃO DO ARQUIVO DE VALOR BRUTO PARA O GEFX",
       {N::kCreditProcessed, N::kKit, N::kValued}, pending("S0509")},
      {"EMISSÃO VALORES APROV.CPX E FINANC",
       "EMISSÃO DOS VALORES APROVADOS POR COMPLX.E FINANCIAMENTO", {N::kKit, N::kValuedReport},
       pending("S0510")},
      {"EMISSÃO DISCR. RECEBIMENTOS", "EMISSÃO DO DISCRIMINATIVO DE RECEBIMENTOS",
       {N::kKit, N::kValuedReport}, pending("S0504")},
      {"EMISSÃO PRODUÇÃO BPA-I POR NOME", "EMISSÃO DA PRODUÇÃO DE BPA-I POR NOME DO USUÁRIO",
       {N::kKit}, pending("S0514")},
  };
  if (control_field("CTR", "CTR_MVM") == "201212") {
    entries.push_back({"EMISSÃO VLRS FEDERAIS REPROCESS.",
                       "EMISSAO DA PRODUCAO DE VALORES FEDERAIS REPROCESSADOS",
                       {N::kValuedReport}, pending("S0517")});
  }
  return entries;
}

// "MMM/YYYY" of the competence after the open one.
std::string next_competence() {
  const std::string movement = control_field("CTR", "CTR_MVM");
  const std::optional<Competence> c = Competence::parse(movement);
  const std::optional<Competence> next = c ? c->add_months(1) : std::nullopt;
  if (!next) return "\?\?\?/" + movement.substr(0, 4);
  return month_abbreviation(next->text()) + "/" + next->text().substr(0, 4);
}

std::vector<SubmenuEntry> moper() {
  const std::string next = next_competence();
  std::vector<SubmenuEntry> entries = {
      {"INDEXAÇÃO", "INDEXAÇÃO DOS ARQUIVOS", {}, pending("MINDEXA")},
      {"NOVA COMPETÊNCIA (" + next + ")", "INICIALIZAÇÃO DA PRÓXIMA COMPETÊNCIA (" + next + ")", {},
       pending("S0602")},
      {"BACKUP DE ARQUIVOS", "BACKUP DE ARQUIVOS PARA SEGURANÇA", {}, pending("MBACK")},
      {"RESTAURAÇÃO DE ARQUIVOS", "RESTAURAÇÃO DE ARQUIVOS ORIGINADOS PELO BACKUP", {},
       pending("MREST")},
      {"TROCA DE SENHA", "PERMISSÃO PARA O USUÁRIO TROCAR SUA SENHA", {},
       [] {
         std::vector<std::string> unused;
         FAUTOR_USO(&unused, "TROCAR");
       }},
      {"AUTORIZAÇÕES DE USO", "GERENCIA DO ACESSO DE USUÁRIOS AO SISTEMA", {},
       [] {
         std::vector<std::string> unused;
         FAUTOR_USO(&unused, "GERENCIAR");
       }},
      {"TIPO DE IMPRESSORA",
       "PERMISSÃO DE ESCOLHA DO TIPO DE IMPRESSORA (MATRICIAL /JATO DE TINTA /LASER)", {},
       pending("IMPGER")},
      {"CONFIGURA GESTOR", "ALTERA AS CONFIGURAÇÕES DA INSTALAÇÃO DO KAV", {}, pending("S0606")},
      {"RELATÓRIOS GERENCIAIS", "RELATÓRIOS GERENCIAIS DE PRODUÇÃO APÓS ENCERRAMENTO", {},
       pending("RELGER")},
      {"IMPORTAÇÃO FORNEC. ARQ.ANVISA",
       "IMPORTA OS FORNECEDORES DE CESSÃO DE CRÉDITO DO ARQUIVO TXT DA ANVISA", {N::kOpen},
       pending("S0603")},
      {"REVOGAR ÓBITO EM APAC", "ALTERA MOTIVO DE SAÍDA POR ÓBITO INDEVIDA EM APAC", {N::kOpen},
       pending("S0515")},
      {"BASE DE DADOS VBQ", "MANUTENÇÃO DA REMESSA VBQ PARA O TELVORA (VERKAV)", {}, MN_0518},
      {"OPÇÕES DO SISTEMA", "OPÇÕES INTERNAS DO SISTEMA", {}, pending("S0605")},
  };
  for (int i : {1, 2, 3, 5, 6}) entries[i].drops_clipboard_keys = true;
  entries[4].rights = std::vector<int>{};
  entries[4].back_to_bar = true;
  entries[5].rights = std::vector<int>{6, 7};
  return entries;
}

const Submenu kSubmenus[] = {
    {1, 1, AfterEntry::kCloseAll, nullptr, mcadas},
    {2, 14, AfterEntry::kCloseAll, open_control_tables, morca},
    {3, 26, AfterEntry::kCloseAll, open_control_tables, mprod},
    {4, 39, AfterEntry::kCloseAll, open_control_tables, mdp},
    {5, 32, AfterEntry::kKeepOpen,
     [] {
       shell().LCREDAUTO = false;
       shell().AMENSAGENS.clear();
     },
     mcr},
    {6, 45, AfterEntry::kCloseWithoutStamps, nullptr, moper},
};

}  // namespace

const Submenu& submenu(int bar_item) { return kSubmenus[bar_item - 1]; }

}  // namespace kav
