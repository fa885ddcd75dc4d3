// The table work of the start-up: tables created when missing, the
// secretariat's code and condition of management, the municipality list,
// the value table, and the clean-ups and one-time fixes tied to the program
// version and the open competence. Each function opens what it needs
// through USAR, reports to the operator and answers false when the start-up
// cannot go on.
#pragma once

namespace kav {

// S_EMU, S_CEP, S_PAREGR, S_PADET and S_PRFIRR, each made when missing.
bool create_base_tables();

// ADESAO, S_FXAPAC, S_FXRAAS (announced), S_UPSRC, S_UPSVAL, S_PRDHST,
// R_MUTIRAOSAUDEMULHER (emptied when it exists and CTR_CRD is "A"),
// S_OCORR and S_ENCERR, each made when missing.
bool create_start_tables();

// Secretariat code: characters 3-6 "9999" of SS_GESTAO become "0000".
bool fix_secretariat_code();
// SS_GESTAO ending in "0000": a state secretariat.
bool is_state_installation();

// With CTR_CRD "A" in a municipal installation, S_MN is rebuilt: from
// CADGESMN.DBF when it exists (each municipality updated or appended in
// CADMUN, then CADGESMN emptied), else from CADMUN.
bool rebuild_municipality_list();

// SS_CONDIC: "EP" for a state secretariat; for a municipal one the CONDIC
// of its CADMUN record, when there is one.
bool set_management_condition();

// The value table opened, or created after a notice when it is missing.
// One that exists but cannot be opened is left untouched: false.
bool check_value_table();

// S_PRDREP, for the reprocessing of December 2012 (CTR_CRD "A").
bool create_reprocessing_table();

// Habilitations of 2008 withdrawn from S_PAHA; packed when any went.
bool clean_habilitations();

// The upgrade to the procedure table of 2008, once the operator agreed:
// old budget rows, old APAC lines and old APACs (those of a death kept)
// removed, then CTR_VERSAO := DEF_KAV_VER. Shows its progress messages.
bool clean_before_2008();
// CTR_VERSAO := DEF_KAV_VER.
bool record_program_version();

// The remaining tables made when missing; the five APAC, numbering,
// management and budget tables get their indexes built when made.
bool F_REMAPA2();

// Placeholder codes for the tabulation of a closed competence: present in
// S_CID and S_FORNEC while CTR_CRD is "F", removed otherwise.
bool VRF_CODIGOS_TABRIX();

// From competence 202307 on, the production tables opened once so that
// pending structure upgrades run now.
bool open_production_tables();

// Administrative closing of the APACs of August 2023 for eight
// procedures, while the competence is open and after 202307. Leaves only
// SS and CTR open.
bool VRF_APAC_ENCERRAMENTO2023();

// CCMP_KAV := CTR_MVM; with CTR_CRD "A" every establishment is made
// active and UPS_EXP.TXT is deleted.
bool activate_establishments();

// S_APA holds at least one APAC (the ordinance notices need it).
bool apac_table_has_rows();

}  // namespace kav
