#include "store/layouts.h"

#include <algorithm>

#include "base/latin1.h"

namespace kav {

namespace {

// The production-record layout, shared by S_PRD and the December 2012
// reprocessing table.
#define KAV_PRD_FIELDS                                                                    \
  "PRD_UID C 7, PRD_CMP C 6, PRD_FLH C 3, PRD_SEQ C 2, PRD_PA C 10, PRD_CBO C 6, "        \
  "PRD_IDADE N 3 0, PRD_QT_P N 6 0, PRD_QT_A N 6 0, PRD_VL_P N 15 2, PRD_VL_A N 15 2, "   \
  "PRD_MVM C 6, PRD_ORG C 3, PRD_FLPA C 1, PRD_FLCBO C 1, PRD_FLCA C 1, PRD_FLIDA C 1, "  \
  "PRD_FLQT C 1, PRD_FLER C 1, PRD_APANUM C 13, PRD_CNSMED C 15, PRD_RMS C 4, "           \
  "PRD_CNPJ C 14, PRD_NFIS C 6, PRD_RESID C 6, PRD_RUB C 6, PRD_TPFIN C 1, PRD_CPX C 1, " \
  "PRD_QTDATR N 6 0, PRD_QTDATU N 6 0, PRD_RC C 4, PRD_CIDPRI C 6, PRD_CIDSEC C 6, "      \
  "PRD_CIDCAS C 6, PRD_INCOUT C 4, PRD_INCURG C 4, PRD_INSRG C 3, PRD_CPFPCT C 11, "      \
  "PRD_CNSPCN C 15, PRD_DTINI C 8, PRD_DTREA C 8, PRD_SRV C 3, PRD_CSF C 3, "             \
  "PRD_EQUIP C 12, PRD_VL_FED N 10 2, PRD_VL_LOC N 10 2, PRD_VL_INC N 10 2, "             \
  "PRD_VL_CRD N 10 2, PRD_RUBFED C 6, PRD_LREX C 1, PRD_INE C 10, PRD_UNTERC C 7, "       \
  "PRD_STCRED C 1, PRD_CHKSM C 6, PRD_TEMP C 20"

// The individual BPA line, shared by S_BPI and its history S_BPIHST.
#define KAV_BPI_FIELDS                                                                      \
  "BPI_UID C 7, BPI_CMP C 6, BPI_CNSMED C 15, BPI_CBO C 6, BPI_FLH C 3, BPI_SEQ C 2, "      \
  "BPI_PA C 10, BPI_CPFPCT C 11, BPI_CNSPAC C 15, BPI_NMPAC C 30, BPI_DTNASC C 8, "         \
  "BPI_SEXO C 1, BPI_IBGE C 6, BPI_DTATEN C 8, BPI_CID C 4, BPI_CATEN C 2, BPI_NAUT C 13, " \
  "BPI_QT_P N 6 0, BPI_QT_A N 6 0, BPI_IDADE N 3 0, BPI_MVM C 6, BPI_ORG C 3, "             \
  "BPI_TPFIN C 1, BPI_RMS C 4, BPI_FLPA C 1, BPI_FLCID C 1, BPI_FLCBO C 1, BPI_FLCA C 1, "  \
  "BPI_FLIDA C 1, BPI_FLQT C 1, BPI_FLER C 1, BPI_RACA C 2, BPI_ETNIA C 4, BPI_NACIO C 3, " \
  "BPI_SRV C 3, BPI_CSF C 3, BPI_EQUIPE C 12, BPI_CNPJ C 14, BPI_CEPPCN C 8, "              \
  "BPI_CDLOGR C 3, BPI_LOGPCN C 30, BPI_CPLPCN C 10, BPI_NUMPCN C 5, BPI_BAIRRO C 30, "     \
  "BPI_DDD C 2, BPI_TEL C 9, BPI_EMAIL C 40, BPI_VL_FED N 10 2, BPI_VL_LOC N 10 2, "        \
  "BPI_VL_INC N 10 2, BPI_INCOUT C 4, BPI_INCURG C 4, BPI_RUB C 6, BPI_CPX C 1, "           \
  "BPI_RC C 4, BPI_CHKSM C 6, BPI_INE C 10, BPI_STRUA C 1, BPI_SEMCPF C 1, BPI_ADVSEX C 1"

#define KAV_FX_FIELDS "FX_INI C 12, FX_FIM C 12"

// The enciphered federal complement: one column per state and one federal.
#define KAV_CF(uf) "CAMPO_" uf " C 20, "
#define KAV_COMPFEDERAL_FIELDS                                                                   \
  "CODPA C 9, DTINI C 6, DTFIM C 6, CAMPO_FED C 20, " KAV_CF("AC") KAV_CF("AL") KAV_CF("AP")     \
      KAV_CF("AM") KAV_CF("BA") KAV_CF("CE") KAV_CF("DF") KAV_CF("ES") KAV_CF("GO") KAV_CF("MA") \
          KAV_CF("MT") KAV_CF("MS") KAV_CF("MG") KAV_CF("PA") KAV_CF("PB") KAV_CF("PR")          \
              KAV_CF("PE") KAV_CF("PI") KAV_CF("RJ") KAV_CF("RN") KAV_CF("RS") KAV_CF("RO")      \
                  KAV_CF("RR") KAV_CF("SC") KAV_CF("SP") KAV_CF("SE") "CAMPO_TO C 20"

const std::vector<Layout> kLayouts = {
    // Control tables.
    {"S_CTR",
     "CTR_MVM C 6, CTR_CAD C 1, CTR_FPO C 1, CTR_BDP C 1, CTR_PRD C 1, CTR_CRD C 1, "
     "CTR_CONS C 1, CTR_VERSAO C 10"},
    {"S_SS",
     "SS_UFIBGE C 2, SS_UFSIGL C 2, SS_UFNOME C 30, SS_NM C 40, SS_SIGL C 10, SS_CGC C 14, "
     "SS_IN C 1, SS_ABDV C 5, SS_CCDV C 10, SS_CONDIC C 2, SS_GESTAO C 6, SS_CONVBB C 6, "
     "SS_DPCNES C 10, SS_TXTCNE C 10, SS_CRD C 14, SS_DEPARA C 14, SS_CFCES0 C 14"},

    // Production tables.
    {"S_PRD", KAV_PRD_FIELDS},
    {"S_PRDREP", KAV_PRD_FIELDS ", PRD_MVMORI C 6"},
    {"S_BPI", KAV_BPI_FIELDS},
    {"S_BPIHST", KAV_BPI_FIELDS},
    {"S_APA",
     "APA_UID C 7, APA_NUM C 13, APA_EMISSA C 8, APA_DTINIC C 8, APA_DTFIM C 8, "
     "APA_TPATEN C 2, APA_TPAPAC C 1, APA_NMPCN C 30, APA_UFPCN C 3, APA_MAEPCN C 30, "
     "APA_LOGPCN C 30, APA_NUMPCN C 5, APA_CPLPCN C 10, APA_CEPPCN C 8, APA_MUNPCN C 7, "
     "APA_DTNASC C 8, APA_SEXPCN C 1, APA_VARIA C 141, APA_CPFRES C 11, APA_NMRES C 30, "
     "APA_MOTCOB C 2, APA_DTOBAL C 8, APA_CPFDIR C 11, APA_NMDIR C 30, APA_CMP C 6, "
     "APA_MVM C 6, APA_RMS C 4, APA_DTGER C 8, APA_FLER C 10, APA_INERPP C 1, "
     "APA_PRIPAL C 9, APA_CPFPCT C 11, APA_CNSPCT C 15, APA_CNSRES C 15, APA_CNSDIR C 15, "
     "APA_CIDCA C 4, APA_NPRONT C 10, APA_CODSOL C 7, APA_DTSOL C 8, APA_DTAUT C 8, "
     "APA_CODEMI C 10, APA_CATEND C 2, APA_APACAN C 14, APA_RACA C 2, APA_NOMERE C 30, "
     "APA_ETNIA C 4, APA_ADVLMC C 1, APA_ADVTZM C 1, APA_SRV C 3, APA_CSF C 3, "
     "APA_CDLOGR C 3, APA_BAIRRO C 30, APA_DDD C 2, APA_TEL C 9, APA_EMAIL C 40, "
     "APA_CNSEXE C 15, APA_INE C 10, APA_ADVSEX C 1, APA_EXPMAE C 1, APA_STRUA C 1, "
     "APA_FNTORC C 2, APA_EMEPAR C 1, APA_SEMCPF C 1"},
    {"S_PAP",
     "PAP_UID C 7, PAP_CMP C 6, PAP_NUM C 13, PAP_PA C 10, PAP_SEQ C 2, PAP_CBO C 6, "
     "PAP_IDADE N 3 0, PAP_QT_P N 6 0, PAP_QT_A N 6 0, PAP_MVM C 6, PAP_ORG C 3, "
     "PAP_FLPA C 1, PAP_FLEMA C 1, PAP_FLCBO C 1, PAP_FLQT C 1, PAP_FLER C 1, "
     "PAP_CNPJ C 14, PAP_NFISC C 6, PAP_CIDPRI C 6, PAP_CIDSEC C 6, PAP_EQUIPE C 12, "
     "PAP_VL_FED N 15 2, PAP_VL_LOC N 15 2, PAP_VL_INC N 15 2, PAP_INCOUT C 4, "
     "PAP_INCURG C 4, PAP_RUB C 6, PAP_TPFIN C 1, PAP_CPX C 1, PAP_RC C 4, PAP_UNTERC C 7"},
    {"S_RAS",
     "RA_INSRG C 3, RA_UID C 7, RA_CMP C 6, RA_CPFPCT C 11, RA_CNSPCT C 15, RA_DTINIC C 8, "
     "RA_DTFIM C 8, RA_NMPCN C 30, RA_NPRONT C 10, RA_NACPCN C 3, RA_MAEPCN C 30, "
     "RA_NOMERE C 30, RA_LOGPCN C 30, RA_NUMPCN C 5, RA_CPLPCN C 10, RA_CEPPCN C 8, "
     "RA_MUNPCN C 7, RA_DTNASC C 8, RA_SEXPCN C 1, RA_RACA C 2, RA_ETNIA C 4, "
     "RA_TELEF C 11, RA_CELULAR C 11, RA_MOTCOB C 2, RA_DTOBAL C 8, RA_CATEND C 2, "
     "RA_CIDPRI C 4, RA_CIDCA C 4, RA_CIDSEC1 C 4, RA_CIDSEC2 C 4, RA_CIDSEC3 C 4, "
     "RA_PCNORI C 2, RA_CODESF C 1, RA_CNESESF C 7, RA_DESTPCT C 2, RA_ORG C 3, "
     "RA_STRUA C 1, RA_USUDRGA C 1, RA_TPDRGA C 3, RA_NAUTO C 13, RA_CHKSU C 4, "
     "RA_RMS C 4, RA_DTGER C 8, RA_FLER C 10, RA_INERPP C 1, RA_MVM C 6, RA_CDLOGR C 3, "
     "RA_BAIRRO C 30, RA_EMAIL C 40, RA_SEMCPF C 1"},
    {"S_RAPA",
     "RAPA_INSRG C 3, RAPA_UID C 7, RAPA_CMP C 6, RAPA_CPFPC C 11, RAPA_CNSPC C 15, "
     "RAPA_DTINI C 8, RAPA_PA C 10, RAPA_CBO C 6, RAPA_CNSEX C 15, RAPA_DTREA C 8, "
     "RAPA_SRV C 3, RAPA_CSF C 3, RAPA_EQUIP C 12, RAPA_QT_P N 6 0, RAPA_QT_A N 6 0, "
     "RAPA_ORG C 3, RAPA_CID C 4, RAPA_LREX C 1, RAPA_CHKSU C 4, RAPA_MVM C 6, "
     "RAPA_FLPA C 1, RAPA_FLEMA C 1, RAPA_FLCBO C 1, RAPA_FLQT C 1, RAPA_FLER C 1, "
     "RAPAVL_FED N 10 2, RAPAVL_LOC N 10 2, RAPAVL_INC N 10 2, RAPAINCOUT C 4, "
     "RAPAINCURG C 4, RAPA_RUB C 6, RAPA_TPFIN C 1, RAPA_CPX C 1, RAPA_RC C 4, "
     "RAPA_INE C 10, RAPA_SEMCP C 1"},
    {"S_PRDHST", "PRD_CMP C 6, PRD_UID C 7, PRD_PA C 10, PRD_INSRG C 3"},
    {"S_CNSQTD",
     "CNSPCT C 15, CPFPCT C 11, CMP C 6, PROCEDIM C 10, QTD N 8 0, SUBTOT N 15 0, UID C 7, "
     "TIPO C 1, APAC C 13, FOLHA C 3, SEQ C 2, CBO C 6, CNSMED C 15, MVM C 6, ORG C 3, "
     "PRINCIPAL C 9, ERRO C 1, X C 20"},
    {"APCNES_TERC",
     "UID C 7, CMP C 6, APAC C 13, PROC_PRIC C 10, SEQ C 2, PROC_SEC C 10, UID_TERC C 7, "
     "QTD N 6 0, MVM C 6"},
    {"S_OCORR",
     "ORR_CMP C 6, ORR_INSRG C 3, ORR_UID C 7, ORR_FLH C 3, ORR_SEQ C 2, ORR_APANUM C 13, "
     "ORR_CNSMED C 15, ORR_CBO C 6, ORR_CNSPCN C 15, ORR_DTINI C 8, ORR_PA C 10, "
     "ORR_TIP C 3, ORR_COD C 6, ORR_DSCR C 100, ORR_MVM C 6"},
    {"S_ENCERR",
     "ENC_MVM C 6, ENC_BDKAV C 7, ENC_KAVSUS C 5, ENC_TDTINI C 8, ENC_THRINI C 6, "
     "ENC_TDTFIM C 8, ENC_THRFIM C 6, ENC_CDTINI C 8, ENC_CHRINI C 6, ENC_CDTFIM C 8, "
     "ENC_CHRFIM C 6, ENC_BDTINI C 8, ENC_BHRINI C 6, ENC_BDTFIM C 8, ENC_BHRFIM C 6, "
     "ENC_VDTINI C 8, ENC_VHRINI C 6, ENC_VDTFIM C 8, ENC_VHRFIM C 6, ENC_RDTINI C 8, "
     "ENC_RHRINI C 6, ENC_RDTFIM C 8, ENC_RHRFIM C 6, ENC_TTOTH C 6, ENC_CTOTH C 6, "
     "ENC_BTOTH C 6, ENC_VTOTH C 6, ENC_RTOTH C 6"},
    {"R_MUTIRAOSAUDEMULHER",
     "TIPO C 4, UID C 7, CMP C 6, DT_ATEND C 8, CNS C 15, APAC C 13, PROCEDIM C 9, "
     "SEXO C 1, MVM C 6, CNSMED C 15, CBO C 6, FOLHA C 3, SEQ C 2, QTD N 6 0, "
     "VL_PROD N 10 2, VL_FED N 10 2, VL_APROV N 10 2"},
    {"S_TRMOTC",
     "TRMOTC_A00 C 6, TRMOTC_A01 C 6, TRMOTC_A02 C 13, TRMOTC_A03 C 8, TRMOTC_A04 C 30, "
     "TRMOTC_A05 C 30, TRMOTC_A06 C 30, TRMOTC_A07 C 30, TRMOTC_A08 C 5"},

    // Registry tables.
    {"S_UPS",
     "UPS_ID C 7, UPS_UF C 2, UPS_RZSC C 35, UPS_NMFN C 35, UPS_IN_ATV C 1, UPS_IN_FJ C 1, "
     "UPS_CGCCPF C 14, UPS_IR C 1, UPS_LOGR C 30, UPS_NUM C 10, UPS_COMPL C 15, "
     "UPS_BAIRRO C 15, UPS_DDD C 5, UPS_TELE C 7, UPS_CEP C 8, UPS_MN C 6, UPS_DS C 3, "
     "UPS_RS C 3, UPS_AB C 6, UPS_NU_CC C 14, UPS_IN_MN C 1, UPS_NU_CT C 8, UPS_DT_IN D 8, "
     "UPS_DT_CT D 8, UPS_DT_PR D 8, UPS_TUP C 2, UPS_TP C 2, UPS_QT_CM N 3 0, "
     "UPS_QT_EO N 3 0, UPS_QT_SG N 2 0, UPS_QT_SPC N 2 0, UPS_QT_SCA N 2 0, UPS_TA C 2, "
     "UPS_FC C 2, UPS_CNES C 7, UPS_IDANT C 7, UPS_NH C 2, UPSATUCNES C 1, UPS_BANCO C 3, "
     "UPS_MNT C 14, UPS_NATJUR C 4, UNIDADE_ID C 31, UPS_LOCNAC C 1, UPS_CHKSM C 6"},
    {"S_MNT",
     "MNT_ID C 8, MNT_CGCFI C 4, MNT_CGCDV C 2, MNT_IR C 1, MNT_LOGR C 30, MNT_NUM C 5, "
     "MNT_COMPL C 10, MNT_BAIRRO C 15, MNT_CEP C 8, MNT_DDD C 5, MNT_TELE C 8, "
     "MNT_DT_PR D 8, MNT_DT_IN D 8, MNT_DT_CT D 8, MNT_DT_UA D 8, MNT_RZSC C 35, "
     "MNT_AB C 6, MNT_NU_CC C 14, MNT_MN C 6, MNT_RS C 3, MNT_TPCC C 1, MNT_BANCO C 3, "
     "MNT_LOCNAC C 1, MNT_CHKSM C 6"},
    {"S_EMU",
     "EMU_UID C 7, EMU_CMP C 6, EMU_EMA C 6, EMU_QT_PR N 3 0, EMU_QT_HR N 5 0, "
     "EMU_LOCNAC C 1, EMU_MVM C 6, EMU_CHKSM C 6"},
    {"S_SRV", "SRV_UID C 7, SRV_CMP C 6, SRV_SR C 3, SRV_CSF C 3, SRV_LOCNAC C 1, SRV_CHKSM C 6"},
    {"S_UPSPRF",
     "PRF_CMP C 6, PRF_CNES C 7, PRF_MUN C 6, PRF_AREA C 4, PRF_SEQ C 8, PRF_CNS C 15, "
     "PRF_DTINI C 8, PRF_DTFIM C 8, PRF_CBO C 6, PRF_IDVINC C 6, PRF_TPNSUS C 1, "
     "PRF_EQPMIN C 1, PRF_MICROA C 2, PRF_QT_HR N 5 0, PRF_SRVTER C 3, PRF_TERCEI C 7, "
     "PRF_NOME C 40, PRF_LOCNAC C 1, PRF_CHKSM C 6, PRF_INE C 10"},
    {"S_EQUIPE",
     "EQP_CMP C 6, EQP_CNES C 7, EQP_AREA C 4, EQP_SEQ C 8, EQP_MUN C 6, EQP_TP C 2, "
     "EQP_NOME C 60, EQP_DTINI C 8, EQP_DTFIM C 8, EQP_MOTFIM C 2, EQP_TPFIM C 2, "
     "EQP_LOCNAC C 1, EQP_CHKSM C 6, EQP_INE C 10"},
    {"S_UPSHA",
     "UPSHA_UPS C 7, UPSHA_HA C 4, UPSHA_INI C 6, UPSHA_FIM C 6, UHA_LOCNAC C 1, "
     "UHA_CHKSM C 6"},
    {"S_UPSRC", "UPSRC_UPS C 7, UPSRC_RC C 4, UPSRC_INI C 6, UPSRC_FIM C 6"},
    {"S_UPSGES", "GES_CMP C 6, GES_UID C 7, GES_CPX C 2, GES_IN C 1"},
    {"S_UPSVAL", "CO_CNES C 7"},
    {"S_PRFIRR", "PRF_MVM C 6, PRF_CNES C 7, PRF_CPF C 11, PRF_CNS C 15, PRF_FLG C 1"},
    {"S_CEP", "CEP C 8, MUNICIPIO C 6"},
    {"S_FORNEC",
     "FOR_CNPJ C 14, FOR_RZSOC C 80, FOR_FANTA C 80, FOR_BANCO C 3, FOR_AG C 6, "
     "FOR_CC C 14, FOR_END C 60, FOR_BAIRRO C 20, FOR_CEP C 20, FOR_IBGE C 6, FOR_TMP C 1"},

    // Budget, values and payment tables.
    {"S_IPU",
     "IPU_UID C 7, IPU_CMP C 6, IPU_PA C 9, IPU_TPFIN C 1, IPU_NAPU C 1, IPU_QT_O N 8 0, "
     "IPU_VU_O N 15 2, IPU_VL_O N 15 2, IPU_QT_P N 8 0, IPU_VL_P N 15 2, IPU_QT_A N 8 0, "
     "IPU_VL_A N 15 2, IPU_VLAEST N 15 2, IPU_VLPEST N 15 2, IPU_VLOE N 15 2, "
     "IPU_VL_J N 12 2, IPU_MVM C 6, IPU_AUX C 21, IPU_ZEMBRA C 1, IPU_CHKSM C 6"},
    {"S_VPA",
     "VPA_PA C 9, VPA_CMP C 6, VPA_SP N 15 2, VPA_SA N 15 2, VPA_SH N 15 2, "
     "VPA_TOTAL N 15 2, VPA_MUN C 6, VPA_TIPO C 1, VPA_CTF C 2, VPA_RUB C 6, VPA_MVM C 6"},
    {"S_DPG",
     "DPG_CMP C 6, DPG_FLH C 3, DPG_SEQ C 2, DPG_UID C 7, DPG_PA C 10, DPG_QT N 6 0, "
     "DPG_VL N 13 2, DPG_VL_EF N 13 2, DPG_RC C 4, DPG_MVM C 6, DPG_CL C 1, DPG_CHKSM C 6"},
    {"S_CRD",
     "CRD_IN_PF C 1, CRD_CGCCPF C 14, CRD_MVM C 6, CRD_BCO C 3, CRD_AB C 6, CRD_CC C 14, "
     "CRD_MN C 6, CRD_VL N 13 2, CRDPAB N 13 2, CRDMEDIA N 13 2, CRDESTRAT N 13 2, "
     "CRDALTA N 13 2, CRDBDP N 13 2, CRDBDP_OUT N 13 2, CRD_IR N 13 2, CRD_DESCIR C 1, "
     "CRD_VL_FED N 13 2, CRD_VL_LOC N 13 2, CRD_VL_INC N 13 2"},
    {"S_TPCRD",
     "TPCRDIFJ C 1, TPCRD_RAD C 8, TPCRDLIAL C 6, TPCRD_BCO C 3, TPCRD_AB C 6, "
     "TPCRD_CC C 14, TPCRD_IR C 1, TPCRD_ID C 7, TPCRD_CMP C 6, TPCRD_FLH C 13, "
     "TPCRD_SEQ C 2, TPCRD_PA C 9, TPCRD_ORG C 3, TPCRD_CR C 1, TPCRD_VL N 13 2, "
     "TPCRD_INCC C 1, TPCRD_CNPJ C 14, TPCRD_NFIS C 6, TPCRD_RUB C 6, TPCRD_CNS C 15, "
     "TPCRD_CBO C 6, TPCRD_CPX C 1, TPCRD_VFED N 13 2, TPCRD_VLOC N 13 2, TPCRD_VINC N 13 2"},
    // Value widths of the financial sheet and the tax brackets are ours.
    {"S_FFI", "FFI_MVM C 6, FFI_IN_PF C 1, FFI_CGCCPF C 14, FFI_VL N 13 2, FFI_IR N 13 2"},
    {"S_TDIR", "TDIR_DE N 13 2, TDIR_ATE N 13 2, TDIR_TX N 6 2, TDIR_PARC N 13 2, TDIR_FJ C 1"},

    // Numbering tables.
    {"S_CFA", "CFAINICIAL C 12, CFAFINAL C 12, CFAAMINI C 6, CFAAMFIN C 6"},
    {"S_FXAPAC", KAV_FX_FIELDS},
    {"S_FXRAAS", KAV_FX_FIELDS},

    // Reference tables of the kit that the program creates or upgrades.
    // PA_CPFPCN and PA_SECOBRI are read by the import and the rules.
    {"S_PA",
     "PA_CMP C 6, PA_ID C 9, PA_DV C 1, PA_PAB C 1, PA_TOTAL N 12 2, PA_FAEC C 1, "
     "PA_DC C 60, PA_RUB C 4, PA_TPCC C 1, PA_AUX C 20, PA_CPX C 4, PA_CTF C 4, PA_DOC C 1, "
     "PA_IDADEMX N 3 0, PA_IDADEMN N 3 0, PA_SEXO C 1, PA_QTDMAX N 6 0, PA_LAUDO C 2, "
     "PA_PRINC C 1, PA_SECUN C 1, PA_IDEBPA C 1, PA_CNSPCN C 1, PA_CNRAC C 1, "
     "PA_CCMANAL C 2, PA_ELETIVA C 1, PA_APACONT C 1, PA_EXIGCBO C 1, PA_PROCCEO C 1, "
     "PA_6MESES C 1, PA_EXIGAUT C 1, PA_PERMAN N 4 0, PA_EXIGCAS C 1, PA_CHKSM C 6, "
     "PA_CPFPCN C 1, PA_SECOBRI C 1"},
    // The procedure code of a habilitation row has 9 digits.
    {"S_PAHA", "PAHA_CMP C 6, PAHA_PA C 9, PAHA_GRP C 4, PAHA_HA C 4"},
    {"S_PAREGR", "REG_CMP C 6, REG_PA C 9, REG_REGRA C 4, REG_CHKSM C 6"},
    {"S_PADET", "DET_CMP C 6, DET_PA C 9, DET_COD C 3, DET_CHKSM C 6"},
    {"S_CID",
     "CD_COD C 4, OPC C 1, CAT C 1, SUBCAT C 1, CD_DESCR C 50, RESTRSEXO C 1, "
     "CAMPOS_RAD C 3, ESTADIO C 1, REPETE_RAD C 1, CMP_INI C 6, CMP_FIM C 6, CID_CHKSM C 6"},
    {"ADESAO", "FINANC C 4, GESTOR C 6, CMP_INI C 6, CMP_FIM C 6"},
    {"S_COMPFEDERAL", KAV_COMPFEDERAL_FIELDS},
    {"CADGESMN", "CODUF C 2, CODMUNIC C 4, NOME C 40, CONDIC C 2, CIB_ZAV C 1"},
};

// Tables created in an older layout: the current one without these fields.
struct OlderCreation {
  std::string_view table;
  std::vector<std::string_view> without;
};

const std::vector<OlderCreation> kOlderCreations = {
    {"S_RAS",
     {"RA_STRUA", "RA_USUDRGA", "RA_TPDRGA", "RA_NAUTO", "RA_CDLOGR", "RA_BAIRRO", "RA_EMAIL",
      "RA_SEMCPF"}},
    {"S_RAPA",
     {"RAPA_CID", "RAPA_LREX", "RAPAVL_FED", "RAPAVL_LOC", "RAPAVL_INC", "RAPAINCOUT", "RAPAINCURG",
      "RAPA_RUB", "RAPA_TPFIN", "RAPA_CPX", "RAPA_RC", "RAPA_INE", "RAPA_SEMCP"}},
    {"S_FORNEC", {"FOR_TMP"}},
};

}  // namespace

const std::vector<Layout>& current_layouts() { return kLayouts; }

const Layout* find_layout(std::string_view table) {
  std::string upper = latin1_upper(table);
  for (const Layout& l : kLayouts)
    if (l.table == upper) return &l;
  return nullptr;
}

Status layout_fields(std::string_view table, std::vector<xbase::FieldDef>* out) {
  const Layout* l = find_layout(table);
  if (l == nullptr) return Status::NotFound("tabela sem leiaute: " + std::string(table));
  return xbase::parse_field_list(l->fields, out);
}

Status creation_fields(std::string_view table, std::vector<xbase::FieldDef>* out) {
  KAV_RETURN_IF_ERROR(layout_fields(table, out));
  std::string upper = latin1_upper(table);
  for (const OlderCreation& o : kOlderCreations) {
    if (o.table != upper) continue;
    std::erase_if(*out, [&](const xbase::FieldDef& f) {
      return std::find(o.without.begin(), o.without.end(), f.name) != o.without.end();
    });
  }
  return Status::Ok();
}

std::vector<std::string> older_creation_tables() {
  std::vector<std::string> out;
  for (const OlderCreation& o : kOlderCreations) out.emplace_back(o.table);
  return out;
}

}  // namespace kav
