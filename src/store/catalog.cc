#include "store/catalog.h"

#include "base/latin1.h"

namespace kav {

namespace {

const std::vector<CatalogEntry> kCatalog = {
    {"UPS",
     "S_UPS",
     {{"S_UPS01", "UPS_ID"},
      {"S_UPS02", "UPS_IN_FJ + UPS_CGCCPF"},
      {"S_UPS03", "UPS_IN_FJ + SUBSTR( UPS_CGCCPF, 1, 8) + UPS_ID"},
      {"S_UPS04", "UPS_UF + UPS_MN + UPS_ID"},
      {"S_UPS05", "UPS_RS + UPS_ID"}}},
    {"RAS",
     "S_RAS",
     {{"S_RAS01", "RA_INSRG+RA_CMP+RA_UID+RA_CNSPCT+RA_DTINIC"},
      {"S_RAS02", "RA_CNSPCT+RA_CMP+RA_INSRG+RA_DTINIC+RA_UID"},
      {"S_RAS03", "RA_MVM+RA_INSRG+RA_UID+RA_CMP+RA_DTINIC"}}},
    {"RAPA", "S_RAPA", {{"S_RAPA01", "RAPA_INSRG+RAPA_CMP+RAPA_UID+RAPA_CNSPC+RAPA_DTINI"}}},
    {"EMU", "S_EMU", {{"S_EMU01", "EMU_UID + EMU_CMP + EMU_EMA"}}},
    {"SRV",
     "S_SRV",
     {{"S_SRV01", "SRV_UID + SRV_CMP + SRV_SR + SRV_CSF"},
      {"S_SRV02", "SRV_CMP + SRV_SR  + SRV_CSF + SRV_UID"}}},
    {"MNT", "S_MNT", {{"S_MNT01", "MNT_ID+MNT_CGCFI+MNT_CGCDV"}}},
    {"CTR", "S_CTR", {}},
    {"SS", "S_SS", {}},
    {"MN", "S_MN", {{"S_MN01", "MN_IBGE"}, {"S_MN02", "MN_NOME"}}},
    {"PRD",
     "S_PRD",
     {{"S_PRD01", "PRD_UID + PRD_CMP + PRD_FLH + PRD_PA"},
      {"S_PRD02", "PRD_UID + PRD_CMP + PRD_FLH + PRD_SEQ"},
      {"S_PRD03", "PRD_MVM + PRD_UID + PRD_CMP + PRD_FLH"},
      {"S_PRD04", "PRD_UID + PRD_CMP + PRD_PA"}}},
    {"APA",
     "S_APA",
     {{"S_APA01", "APA_NUM + APA_CMP"},
      {"S_APA03", "APA_MVM + APA_UID + APA_CMP + APA_NUM"},
      {"S_APA05", "APA_CNSPCT + APA_TPATEN + APA_NUM + APA_CMP"},
      {"S_APA06", "APA_CPFPCT + APA_TPATEN + APA_NUM + APA_CMP"}}},
    {"COMPFEDERAL",
     "S_COMPFEDERAL",
     {{"COMPFEDERAL01", "CodPA"},
      {"COMPFEDERAL02", "CodPA + DtIni"},
      {"COMPFEDERAL03", "CodPA + DtIni + DtFim"}}},
    {"PAP",
     "S_PAP",
     {{"S_PAP01", "PAP_NUM + PAP_CMP + PAP_SEQ"},
      {"S_PAP02", "PAP_UID + PAP_CMP + PAP_NUM + PAP_SEQ"},
      {"S_PAP04", "PAP_CMP + PAP_PA + PAP_UID"},
      {"S_PAP05", "PAP_CMP + PAP_NUM + PAP_PA"}}},
    {"CFA", "S_CFA", {{"S_CFA01", "CFAINICIAL + CFAAMINI"}}},
    {"DPG",
     "S_DPG",
     {{"S_DPG01", "DPG_CMP + DPG_FLH + DPG_SEQ + DPG_UID + DPG_PA"},
      {"S_DPG02", "DPG_CMP + DPG_UID + DPG_PA"},
      {"S_DPG03", "DPG_MVM + DPG_UID"},
      {"S_DPG04", "DPG_CMP + DPG_UID + DPG_FLH + DPG_SEQ + DPG_PA"}}},
    {"CRD",
     "S_CRD",
     {{"S_CRD01", "CRD_IN_PF + CRD_CGCCPF + CRD_MVM + CRD_AB + CRD_CC + CRD_DESCIR"},
      {"S_CRD02",
       "CRD_IN_PF + SUBSTR(CRD_CGCCPF, 01, 08) + CRD_MVM + CRD_AB + CRD_CC + CRD_DESCIR"}}},
    {"FFI", "S_FFI", {{"S_FFI01", "FFI_MVM + FFI_IN_PF + FFI_CGCCPF"}}},
    {"TDIR", "S_TDIR", {}},
    {"CD", "S_CD", {{"S_CD01", "CD_TB + CD_IT"}}},
    {"CDN", "S_CDN", {{"S_CDN01", "CDN_TB + CDN_IT"}}},
    {"CID", "S_CID", {{"S_CID01", "CD_COD"}}},
    {"IPU",
     "S_IPU",
     {{"S_IPU01", "IPU_CMP + IPU_UID + IPU_TPFIN + IPU_PA"},
      {"S_IPU02", "IPU_UID + IPU_CMP + IPU_PA + IPU_TPFIN"}}},
    {"PA", "S_PA", {{"S_PA01", "PA_CMP + PA_ID"}}},
    {"PACBO", "S_PACBO", {{"S_PACBO1", "PACBO_CMP + PACBO_PA + PACBO_CBO"}}},
    {"PACID", "S_PACID", {{"S_PACID1", "PACID_CMP + PACID_PA + PACID_CID"}}},
    {"PASRV", "S_PASRV", {{"S_PASRV1", "PASRV_CMP + PASRV_PA + PASRV_SRV + PASRV_CSF"}}},
    {"VPA", "S_VPA", {{"S_VPA01", "VPA_CMP + VPA_PA + VPA_MUN + VPA_TIPO"}}},
    {"PAPA",
     "S_PAPA",
     {{"S_PAPA01", "PAPA_CMP + PAPA_TRAT + PAPA_PRINC + PAPA_SECUN"},
      {"S_PAPA02", "PAPA_CMP + PAPA_TRAT + PAPA_SECUN "},
      {"S_PAPA03", "PAPA_CMP + PAPA_TRAT + PAPA_PRINC "}}},
    {"RUB", "S_RUB", {{"S_RU01", "RUB_ID"}}},
    {"CADMUN", "CADMUN", {{"CADMUN01", "CODUF + CODMUNIC"}}},
    {"UPSGES", "S_UPSGES", {{"UPSGES01", "GES_CMP + GES_UID + GES_CPX + GES_IN"}}},
    {"UPSHA", "S_UPSHA", {{"UPSHA01", "UPSHA_UPS + UPSHA_HA"}}},
    {"PAHA",
     "S_PAHA",
     {{"PAHA01", "PAHA_CMP + PAHA_PA + PAHA_GRP"}, {"PAHA02", "PAHA_CMP + PAHA_PA + PAHA_HA"}}},
    {"UPSRC", "S_UPSRC", {{"UPSRC01", "UPSRC_UPS + UPSRC_RC"}}},
    {"DEPARA", "S_DEPARA", {{"DEPARA01", "ORIGEM  + DESTINO"}, {"DEPARA02", "DESTINO + ORIGEM"}}},
    {"BPI",
     "S_BPI",
     {{"BPI01", "BPI_UID + BPI_CMP + BPI_CNSMED + BPI_CBO + BPI_FLH + BPI_SEQ"},
      {"BPI02", "BPI_CNSPAC + BPI_PA + BPI_CMP"},
      {"BPI03", "BPI_CMP + BPI_UID + BPI_PA"},
      {"BPI04", "BPI_CMP + BPI_UID + BPI_ORG"}}},
    {"FORNEC", "S_FORNEC", {{"FORNEC01", "FOR_CNPJ"}}},
    {"PAIN", "S_PAIN", {{"PAIN01", "PAIN_CMP+PAIN_PA+PAIN_HA"}}},
    {"ADESAO", "ADESAO", {{"ADESAO01", "FINANC+GESTOR+CMP_INI+CMP_FIM"}}},
    {"FXAPAC", "S_FXAPAC", {{"FXAPAC01", "FX_INI+FX_FIM"}}},
    {"TRMOTC", "S_TRMOTC", {}},
    {"PRFIRR", "S_PRFIRR", {{"PRFIRR01", "PRF_MVM+PRF_CNES+PRF_CNS"}}},
    {"APCNES_TERC", "APCNES_TERC", {{"APCNES_TERC1", "UID+CMP+APAC"}}},
    {"CNSQTD",
     "S_CNSQTD",
     {{"CNSQTD01", "CNSPCT + CMP + PROCEDIM + STRZERO(QTD,8,0)"},
      {"CNSQTD02", "X"},
      {"CNSQTD03", "CNSPCT + CMP + PROCEDIM "}}},
    {"BPIHST",
     "S_BPIHST",
     {{"BPIHST01", "BPI_MVM + BPI_UID + BPI_CMP + BPI_CNSMED + BPI_CBO + BPI_FLH + BPI_SEQ"},
      {"BPIHST02", "BPI_CNSPAC + BPI_PA + BPI_CMP"},
      {"BPIHST03", "BPI_CMP + BPI_UID + BPI_PA"},
      {"BPIHST04", "BPI_CMP + BPI_UID + BPI_ORG"}}},
    {"EQUIPE",
     "S_EQUIPE",
     {{"EQUIPE01", "EQP_CMP+EQP_CNES+EQP_SEQ+EQP_AREA"},
      {"EQUIPE02", "EQP_CMP+EQP_MUN+EQP_SEQ+EQP_AREA"},
      {"EQUIPE03", "EQP_CMP+EQP_CNES+EQP_MUN+EQP_SEQ+EQP_AREA+EQP_TP+EQP_DTINI+EQP_DTFIM"},
      {"EQUIPE04", "EQP_CMP+EQP_INE+EQP_DTINI+EQP_DTFIM"}}},
    {"UPSPRF",
     "S_UPSPRF",
     {{"UPSPRF01", "PRF_CMP+PRF_CNES+PRF_CNS+PRF_CBO+PRF_SEQ+PRF_AREA+PRF_DTINI+PRF_DTFIM"},
      {"UPSPRF02", "PRF_CMP+PRF_CNES+PRF_CBO+PRF_CNS+PRF_DTINI+PRF_DTFIM"},
      {"UPSPRF03", "PRF_CMP+PRF_SEQ+PRF_AREA+PRF_CNS+PRF_CBO"},
      {"UPSPRF04", "PRF_CMP+PRF_CNES+PRF_CNS+PRF_CBO+PRF_INE+PRF_DTINI+PRF_DTFIM"},
      {"UPSPRF05", "PRF_CMP+PRF_INE+PRF_CNS+PRF_CBO+PRF_DTINI+PRF_DTFIM"},
      {"UPSPRF06", "PRF_CMP+PRF_CNES+PRF_TERCEI"}}},
    {"PAREGR", "S_PAREGR", {{"PAREGR01", "REG_CMP+REG_PA+REG_REGRA"}}},
    {"CEP", "S_CEP", {{"S_CEP1", "CEP"}}},
    {"PRDHST", "S_PRDHST", {{"S_PRDHST01", "PRD_CMP+PRD_UID+PRD_PA+PRD_INSRG"}}},
    {"MUTIRAOSAUDEMULHER",
     "R_MUTIRAOSAUDEMULHER",
     {{"MUTIRAOSAUDEMULHER01", "UID+PROCEDIM+DT_ATEND"}}},
    {"FXRAAS", "S_FXRAAS", {{"FXRAAS01", "FX_INI+FX_FIM"}}},
    {"ERROS",
     "S_OCORR",
     {{"OCORR01",
       "ORR_CMP+ORR_INSRG+ORR_UID+ORR_FLH+ORR_SEQ+ORR_APANUM+ORR_CNSMED+ORR_CBO+ORR_CNSPCN+"
       "ORR_DTINI+ORR_PA+ORR_TIP+ORR_COD"}}},
    {"ENCERR", "S_ENCERR", {{"ENCERR01", "ENC_MVM"}}},
    {"PADET", "S_PADET", {{"PADET01", "DET_CMP+DET_PA+DET_COD"}}},
};

}  // namespace

const std::vector<CatalogEntry>& catalog() { return kCatalog; }

const CatalogEntry* find_catalog_entry(std::string_view alias) {
  std::string upper = latin1_upper(alias);
  for (const CatalogEntry& e : kCatalog)
    if (e.alias == upper) return &e;
  return nullptr;
}

std::string normalised_key(std::string_view key) {
  std::string out;
  for (char c : key)
    if (c != ' ') out.push_back(latin1_upper(c));
  return out;
}

int order_of(const CatalogEntry& entry, std::string_view key) {
  std::string want = normalised_key(key);
  for (size_t i = 0; i < entry.indexes.size(); ++i)
    if (normalised_key(entry.indexes[i].key) == want) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace kav
