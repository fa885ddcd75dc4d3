// Creation of the program's tables, each empty in its creation layout.
#pragma once

#include <string>

namespace kav {

class Store;

// Creates table `name` (base name) of the program folder in its creation
// layout, after "CRIANDO ARQUIVO " + file (wait) when `announce`. A table
// that exists is left as it is; S_CTR and S_SS are made with their one
// (blank) record. False (reported) when it cannot be made.
bool create_table(Store& store, const std::string& name, bool announce);

// The named creators of the start-up and the upgrade, on the installed
// store (see store_global.h).
bool CRIAR_ADESAO();
bool CRIAR_FXAPAC();
bool CRIAR_FXRAAS();
bool CRIAR_UPSHA();
bool CRIAR_PAHA();
bool CRIAR_FORNEC();
bool CRIAR_BPI();
bool CRIAR_BPIHST();
bool CRIAR_APCNES_TERC();
bool CRIAR_CNSQTD();
bool CRIA_UPSRC();
bool CRIA_UPSVAL();
bool CRIA_PRDHST();
bool CRIA_MUTIRAOSAUDEMULHER();
bool CRIA_OCORR();
bool CRIA_ENCERR();
bool CRIA_TRMOTC();
bool CRIA_RAS();
bool CRIA_RASPA();
bool CRIA_EQUIPE();
bool CRIA_UPSPRF();

}  // namespace kav
