#include "shell/startup_notices.h"

#include "platform/keys.h"
#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

namespace {

const char* const kAttention = "******  ATENCAO  *****";
const char* const kPressSeven = "TECLE 7 PARA CONTINUAR";

Lines ordinance(std::initializer_list<const char*> body) {
  Lines lines{kAttention};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back(kPressSeven);
  return lines;
}

}  // namespace

Lines notice_old_competence(const std::string& CTR_MVM) {
  return {"Leia com atenção:", "ESTA VERSÃO DEVE SER UTILIZADA A PARTIR DA COMPETENCIA",
          "DEZEMBRO/2007 FECHADA OU JANEIRO/2008 EM ABERTO",
          "UTILIZE A ULTIMA VERSAO DO MES " + CTR_MVM};
}

Lines notice_new_procedure_table() {
  return {"LEIA COM ATENCAO:", "ESTA VERSAO VAI ATUALIZAR A BASE INTERNA PARA A NOVA TABELA",
          "DE PROCEDIMENTOS, VALIDA A PARTIR DE JANEIRO/2008",
          "SE AINDA NAO EFETUOU A COPIA DE SEGURANCA PASSADA, REALIZE-A",
          "ANTES DE PROSSEGUIR COM A ATULIZACAO DESTA VERSAO!"};
}

Lines notice_two_files() {
  return {kAttention,
          "A PARTIR DA VERSAO <01.08> O KAV/SUS E DISTRIBUIDO EM DOIS ARQUIVOS:",
          "O PROGRAMA E AS TABELAS NACIONAIS (BDKAV).",
          "A VERSAO DAS TABELAS TEM A FORMA <AAAAMML> (ANO, MES E UMA LETRA)",
          "E A VERSAO DO PROGRAMA TEM A FORMA <NN.NN>.",
          "esta mensagem nao sera repetida, tecle 7 para continuar",
          "ou tecle ESC para SAIR do sistema"};
}

Lines notice_version_0328() {
  return {"Leia com atencao:",
          "QUEM UTILIZOU A VERSAO 03.28 NA COMPETENCIA ABRIL/2013 DEVE",
          "RESTAURAR A COPIA DE SEGURANCA FEITA ANTES DO CREDITO DE 03/2013,",
          "E, COM A VERSAO 03.29 OU POSTERIOR, CALCULAR O VALOR BRUTO",
          "E INICIALIZAR A COMPETENCIA NOVAMENTE.", kPressSeven};
}

Lines notice_withdrawn_kit() {
  return {"Leia com atencao:", "AS VERSOES 200908a OU 200908b NAO DEVEM SER UTILIZADAS",
          "UTILIZE A VERSAO MAIS ATUAL DESTE COMPETENCIA",
          "CONSULTE NO SITE DO KAV PELA VERSAO MAIS ATUAL"};
}

Lines notice_corrupt_installation() {
  return {"L E I A   C O M   A T E N C A O : ",
          " ",
          " A CARACTERIZACAO DE SECRETARIA ESTADUAL/MUNICIPAL FOI CORROMPIDA",
          " POR MOTIVO DESCONHECIDO.",
          " ",
          " UTILIZE A TELA FINAL DO PROGRAMA INSTALADOR, REDEFININDO SE ESTA ",
          " SECRETARIA E' ESTADUAL OU MUNICIPAL.",
          " ",
          " SE TIVER DIFICULDADE, ENTRE EM CONTATO TELEFONICO COM A TELVORA, E ",
          " DIGA AO ANALISTA QUE ATENDE A SUA AREA O SEGUINTE DIAGNOSTICO: ",
          " ",
          " << PERDA INTEGRIDADE CAMPO SS_IN (EST./MUN.).",
          "    MOTIVO EXTERNO. USE INSTALA.EXE. NAO APAGAR ARQUIVO EXISTENTE. >>"};
}

Lines notice_forum() {
  return {"Atenção:", "PARTICIPE DO FORUM DOS USUARIOS DOS SISTEMAS AMBULATORIAIS:",
          "DUVIDAS, AVISOS DE NOVAS VERSOES E TROCA DE EXPERIENCIAS EM",
          "https://forum.kavsus.org.br"};
}

Lines notice_automatic_vbq() {
  return {"Atenção:", "A partir da competencia JULHO de 2016, O KAV passa a criar",
          "a remessa VBQ automaticamente na pasta <<kav>>\\VBQ\\<<AAAAMM>>",
          "NAO HAVENDO A NECESSIDADE DE EXECUCAO DO VERKAV!"};
}

const std::vector<OrdinanceNotice>& ordinance_notices() {
  static const std::vector<OrdinanceNotice> notices = {
      {"200807", "200809",
       ordinance({"PORTARIA SAS 346 DE 23/06/2008:",
                  "OS PROCEDIMENTOS DE ONCOLOGIA FORAM SUBSTITUIDOS.",
                  "AS APACS DE JUNHO/2008 AINDA ABERTAS DEVEM SER ENCERRADAS",
                  "PELA OPCAO DO MENU OPERADOR PARA ESTA PORTARIA."})},
      {"201008", "201010",
       ordinance({"PORTARIA SAS 420 DE 25/08/2010:",
                  "AS APACS ATINGIDAS PELA PORTARIA SERAO ENCERRADAS",
                  "AUTOMATICAMENTE DURANTE O CALCULO DO VALOR BRUTO."})},
      {"201103", "201105",
       ordinance({"PORTARIA SAS 90 DE 15/03/2011 (LEUCEMIA MIELOIDE CRONICA):",
                  "AS APACS ATINGIDAS PELA PORTARIA SERAO ENCERRADAS",
                  "AUTOMATICAMENTE DURANTE A CONSISTENCIA."})},
      {"201210", "201301",
       ordinance({"PORTARIAS SAS 857 DE 22/08/2012 E 1.221 DE 26/10/2012:",
                  "O PROCEDIMENTO 030108004-6 DEIXA DE SER REGISTRADO EM APAC",
                  "E PASSA A SER REGISTRADO EM RAAS-PSI."})},
      {"201212", "201303",
       ordinance({"PORTARIAS SAS 854 DE 22/08/2012 E 1.218 DE 26/10/2012:",
                  "PROCEDIMENTOS DE APAC PASSAM A SER REGISTRADOS EM OUTRO",
                  "INSTRUMENTO A PARTIR DE JANEIRO/2013."})},
  };
  return notices;
}

bool wait_for_seven(const Lines& lines, bool esc_leaves) {
  const Region saved = screen().save_all();
  MENSAGEM2(lines, "AVISE");
  bool go_on = true;
  for (;;) {
    const int key = keyboard().inkey().code;
    if (key == '7') break;
    if (esc_leaves && key == key::kEsc) {
      go_on = false;
      break;
    }
  }
  screen().restore(saved);
  return go_on;
}

}  // namespace kav
