// The program's one store, installed at start; the verbatim entry points
// (USAR, TENTABRIR, FREMAPA, the creators) work on it.
#pragma once

#include <string>
#include <vector>

#include "store/store.h"

namespace kav {

// Installs `s` (which must outlive its use) as the program's store.
void install_store(Store* s);
Store& store();

bool USAR(const std::string& alias, bool force = false);
bool USAR(const std::string& mode, std::vector<std::string>* list);
bool TENTABRIR(const std::string& file, const std::string& alias);
bool FREMAPA(const std::string& alias);
bool REFOVPA();
// Makes current the order of `alias` whose catalog key is `key`.
bool select_order(const std::string& alias, const std::string& key);

}  // namespace kav
