#include "reference_kit.h"

#include "installation.h"
#include "shell/embaralha.h"

namespace kav::kavfix {

namespace {

// "$C" in a row stands for the kit's competence.
constexpr std::string_view kCompetenceMark = "$C";

const std::vector<TableRows>& kit_rows() {
  static const std::vector<TableRows> tables = {
      {"S_PA",
       "PA_CMP, PA_ID, PA_DV, PA_DC, PA_TOTAL, PA_RUB, PA_CPX, PA_CTF, PA_DOC, PA_IDADEMN, "
       "PA_IDADEMX, PA_SEXO, PA_QTDMAX, PA_LAUDO, PA_PRINC, PA_SECUN, PA_IDEBPA, PA_CNSPCN, "
       "PA_ELETIVA, PA_EXIGCBO, PA_6MESES, PA_CPFPCN, PA_SECOBRI",
       {
           "$C|030101006|4|CONSULTA MEDICA EM ATENCAO PRIMARIA|0.00|0000|1|01|B|0|130|A|1|||||N|N|S|N|N|N",
           "$C|030101007|2|CONSULTA MEDICA EM ATENCAO ESPECIALIZADA|10.00|0000|2|06|B|0|130|A|1|||||N|N|S|N|N|N",
           "$C|030106006|1|ATENDIMENTO DE URGENCIA EM ATENCAO ESPECIALIZADA|11.00|0000|2|06|B|0|130|A|1|||||N|N|S|N|N|N",
           "$C|030110001|2|ADMINISTRACAO DE MEDICAMENTOS NA ATENCAO ESPECIALIZADA|0.63|0000|2|06|4|0|130|A|10||N|S|N|N|N|S|N|N|N",
           "$C|020201047|3|DOSAGEM DE GLICOSE|1.85|0000|2|06|0|0|130|A|5|||||N|N|N|N|N|N",
           "$C|020403018|8|MAMOGRAFIA BILATERAL PARA RASTREAMENTO|45.00|0023|2|04|B|50|69|F|1|||||S|N|S|N|N|N",
           "$C|030402015|0|QUIMIOTERAPIA PALIATIVA DE CARCINOMA DE MAMA|571.50|0000|3|06|3|19|130|A|1|06|S|N||S|S|S|N|N|N",
           "$C|030108020|8|ATENDIMENTO INDIVIDUAL EM CENTRO DE ATENCAO PSICOSSOCIAL|0.00|0000|2|06|A|0|130|A|31|||||S|N|S|N|N|N",
       }},
      {"S_PROCED",
       "PA_CMP, PA_ID, PA_CTF, PA_SEXO, PA_SH, PA_SP, PA_SA, PA_IDADEMN, PA_IDADEMX, PA_QTDMAX",
       {
           "$C|030101006|01|A|0.00|0.00|0.00|0|130|1",
           "$C|030101007|06|A|0.00|0.00|10.00|0|130|1",
           "$C|030106006|06|A|0.00|0.00|11.00|0|130|1",
           "$C|030110001|06|A|0.00|0.00|0.63|0|130|10",
           "$C|020201047|06|A|0.00|0.00|1.85|0|130|5",
           "$C|020403018|04|F|0.00|0.00|45.00|50|69|1",
           "$C|030402015|06|A|0.00|0.00|571.50|19|130|1",
           "$C|030108020|06|A|0.00|0.00|0.00|0|130|31",
       }},
      {"S_PACBO", "PACBO_CMP, PACBO_PA, PACBO_CBO",
       {
           "$C|030101006|225142", "$C|030101006|225125", "$C|030101007|225125",
           "$C|030101007|225250", "$C|030106006|225125", "$C|030110001|322205",
           "$C|020201047|221205", "$C|020403018|225320", "$C|030402015|225121",
           "$C|030108020|251510",
       }},
      {"S_PACID", "PACID_CMP, PACID_PA, PACID_CID",
       {"$C|030402015|C500", "$C|030402015|C509", "$C|030108020|F200", "$C|030108020|F329"}},
      {"S_PASRV", "PASRV_CMP, PASRV_PA, PASRV_SRV, PASRV_CSF",
       {"$C|030402015|132|001", "$C|020403018|121|003", "$C|030108020|115|001"}},
      {"S_PAHA", "PAHA_CMP, PAHA_PA, PAHA_GRP, PAHA_HA",
       {"$C|030402015|0001|1706", "$C|030402015|0001|1707", "$C|030108020||0616"}},
      {"S_PAPA", "PAPA_CMP, PAPA_TRAT, PAPA_PRINC, PAPA_SECUN, PAPA_QTMAX",
       {"$C|01|030402015|030110001|1", "$C|98|030101006|030101007|0"}},
      {"S_PAIN", "PAIN_CMP, PAIN_PA, PAIN_HA, PAIN_IN", {"$C|030402015|1706|10.00"}},
      {"S_PAREGR", "REG_CMP, REG_PA, REG_REGRA", {"$C|030101007|0002", "$C|030402015|0030"}},
      {"S_PADET", "DET_CMP, DET_PA, DET_COD", {"$C|030101007|003", "$C|030402015|009"}},
      {"S_CID",
       "CD_COD, SUBCAT, CD_DESCR, RESTRSEXO, CAMPOS_RAD, ESTADIO, REPETE_RAD, CMP_INI, CMP_FIM",
       {
           "C500|S|NEOPLASIA MALIGNA DO MAMILO E AREOLA|0|001|S|N|200801|999999",
           "C509|S|NEOPLASIA MALIGNA DA MAMA NAO ESPECIFICADA|0|001|S|N|200801|999999",
           "C61 |N|NEOPLASIA MALIGNA DA PROSTATA|1|001|S|N|200801|999999",
           "E119|S|DIABETES MELLITUS NAO-INSULINO-DEPENDENTE|0||N|N|200801|999999",
           "F200|S|ESQUIZOFRENIA PARANOIDE|0||N|N|200801|999999",
           "F329|S|EPISODIO DEPRESSIVO NAO ESPECIFICADO|0||N|N|200801|999999",
           "I10 |N|HIPERTENSAO ESSENCIAL (PRIMARIA)|0||N|N|200801|999999",
       }},
      {"CADMUN", "CODUF, CODMUNIC, NOME, CONDIC, CIB_ZAV, DTHABIL, TETOPAB, IBGE_UF",
       {
           "35|0000|SAO PAULO|EP||200601|0.00|SP",
           "35|5030|SAO PAULO|PG|S|200601|1250000.00|SP",
           "35|1380|DIADEMA|PG|S|200604|98000.00|SP",
           "35|1880|GUARULHOS|PG|S|200604|310000.00|SP",
           "35|3440|OSASCO|MN||200701|170000.00|SP",
           "35|4780|SANTO ANDRE|PG|S|200605|165000.00|SP",
           "35|4870|SAO BERNARDO DO CAMPO|PA||200612|190000.00|SP",
       }},
      {"S_MN", "MN_IBGE, MN_NOME, MN_UF",
       {"355030|SAO PAULO|35", "351380|DIADEMA|35", "351880|GUARULHOS|35", "353440|OSASCO|35",
        "354780|SANTO ANDRE|35", "354870|SAO BERNARDO DO CAMPO|35"}},
      {"S_CEP", "CEP, MUNICIPIO",
       {"01001000|355030", "04094050|355030", "09910000|351380", "07010000|351880",
        "06010000|353440"}},
      {"S_RUB", "RUB_ID, RUB_DC",
       {"010000|PISO DA ATENCAO BASICA (PAB)", "060000|MEDIA E ALTA COMPLEXIDADE (MAC)",
        "040023|FAEC - MAMOGRAFIA PARA RASTREAMENTO"}},
      {"S_CD", "CD_TB, CD_IT, CD_DSCR",
       {"11|001|REGIAO DE SAUDE ROTA DOS BANDEIRANTES", "11|002|REGIAO DE SAUDE GRANDE ABC",
        "11|003|REGIAO DE SAUDE ALTO TIETE", "15|0001|AGENCIA CENTRO SAO PAULO"}},
      {"S_DEPARA", "ORIGEM, DESTINO, CMP_INI, CMP_FIM",
       {"0301010030|0301010072|200801|999999"}},
      {"S_FXAPAC", "FX_INI, FX_FIM", {"352620000001|352620000500", "352630000001|352630000100"}},
      {"S_FXRAAS", "FX_INI, FX_FIM", {"352640000001|352640000200"}},
      {"S_CDN", "CDN_TB, CDN_IT, CDN_DSCR",
       {
           "01|02|CENTRO DE SAUDE/UNIDADE BASICA", "01|36|CLINICA/CENTRO DE ESPECIALIDADE",
           "01|70|CENTRO DE ATENCAO PSICOSSOCIAL", "02|01|PUBLICO", "02|03|PRIVADO",
           "03|01|MANHA", "03|02|TARDE", "03|03|NOITE", "04|01|ATENDIMENTO DE DEMANDA ESPONTANEA",
           "04|02|ATENDIMENTO DE DEMANDA REFERENCIADA", "05|115|SERVICO DE ATENCAO PSICOSSOCIAL",
           "05|121|SERVICO DE DIAGNOSTICO POR IMAGEM", "05|132|SERVICO DE ONCOLOGIA",
           "06|001|CLASSIFICACAO 001", "06|003|MAMOGRAFIA", "28|01|DEMANDA ESPONTANEA",
           "29|01|ALTA", "30|11|ALTA CURADO", "30|51|ENCERRAMENTO ADMINISTRATIVO",
           "31|010|BRASILEIRO", "45|1|ATENCAO BASICA", "45|2|MEDIA COMPLEXIDADE",
           "45|3|ALTA COMPLEXIDADE", "46|01|ATENCAO BASICA (PAB)",
           "46|04|FUNDO DE ACOES ESTRATEGICAS E COMPENSACOES (FAEC)",
           "46|06|MEDIA E ALTA COMPLEXIDADE (MAC)", "47|0616|CENTRO DE ATENCAO PSICOSSOCIAL CAPS II",
           "47|1706|UNACON - ALTA COMPLEXIDADE EM ONCOLOGIA",
           "47|1707|UNACON COM SERVICO DE RADIOTERAPIA", "50|221205|BIOMEDICO",
           "50|225121|MEDICO ONCOLOGISTA CLINICO", "50|225125|MEDICO CLINICO",
           "50|225142|MEDICO DA ESTRATEGIA DE SAUDE DA FAMILIA",
           "50|225250|MEDICO GINECOLOGISTA E OBSTETRA", "50|225320|MEDICO EM RADIOLOGIA",
           "50|251510|PSICOLOGO CLINICO", "50|322205|TECNICO DE ENFERMAGEM",
           "51|0|BPA (CONSOLIDADO)", "51|3|APAC (PROCEDIMENTO PRINCIPAL)", "51|A|RAAS PSICOSSOCIAL",
           "51|B|BPA (CONSOLIDADO E INDIVIDUALIZADO)", "52|06|APAC QUIMIOTERAPIA",
           "53|01|ELETIVO", "53|02|URGENCIA", "54|01|BRANCA", "54|02|PRETA", "54|03|PARDA",
           "54|04|AMARELA", "54|05|INDIGENA", "54|99|SEM INFORMACAO",
           "56|35|352660000001  352669999999", "58|0001|ACONA (WAKONAS)", "61|008|AVENIDA",
           "61|081|RUA", "62|01|DEMANDA ESPONTANEA", "63|01|ALTA", "64|003|ATRIBUTO 003",
           "64|009|ATRIBUTO 009", "65|001|TAMOXIFENO",
       }},
  };
  return tables;
}

// Tables whose record counts the kit states in its "57" rows, with the
// item of each (the procedure table's item ends in a blank).
const std::vector<std::pair<std::string_view, std::string_view>> kCountedTables = {
    {"S_PA", "PA "},     {"S_PACID", "PACID"}, {"S_PACBO", "PACBO"},
    {"S_PASRV", "PASRV"}, {"S_PAHA", "PAHA"},   {"S_PAPA", "PAPA"},
    {"S_PAIN", "PAIN"},   {"S_RUB", "RUB"},     {"S_CID", "CID"},
};

std::string with_competence(std::string row, const std::string& competence) {
  for (size_t at = row.find(kCompetenceMark); at != std::string::npos;
       at = row.find(kCompetenceMark, at + competence.size()))
    row.replace(at, kCompetenceMark.size(), competence);
  return row;
}

// The kit control rows of group "55" and "57".
std::vector<std::string> control_rows(const std::vector<TableRows>& tables,
                                      const std::string& competence) {
  auto row = [](std::string_view group, const std::string& item, const std::string& text) {
    return std::string(group) + "|" + item + "|" + text;
  };
  std::string version = kit_version(competence);
  std::vector<std::string> rows = {
      row("55", "VERSAO", version),
      row("55", EMBARALHA("KAV"), EMBARALHA(program_version())),
      row("55", EMBARALHA("DEPARA"), EMBARALHA(kDemoMappingVersion)),
      row("55", EMBARALHA("MINIMO"), EMBARALHA(version)),
  };
  for (const auto& [file, item] : kCountedTables) {
    for (const TableRows& t : tables)
      if (t.file == file) rows.push_back(row("57", std::string(item), std::to_string(t.rows.size())));
  }
  return rows;
}

}  // namespace

std::string kit_version(const std::string& competence) { return competence + "a"; }

std::vector<TableRows> demo_kit_tables(const std::string& competence) {
  std::vector<TableRows> tables = kit_rows();
  for (TableRows& t : tables)
    for (std::string& row : t.rows) row = with_competence(std::move(row), competence);
  for (TableRows& t : tables) {
    if (t.file != "S_CDN") continue;
    std::vector<std::string> control = control_rows(tables, competence);
    t.rows.insert(t.rows.end(), control.begin(), control.end());
  }
  return tables;
}

Status write_demo_kit(const std::string& folder, const std::string& competence) {
  for (const TableRows& t : demo_kit_tables(competence))
    KAV_RETURN_IF_ERROR(write_table(folder, t));
  return Status::Ok();
}

}  // namespace kav::kavfix
