#include "store/store_global.h"

#include <cstdlib>

namespace kav {

namespace {
Store* g_store = nullptr;
}  // namespace

void install_store(Store* s) { g_store = s; }

Store& store() {
  if (g_store == nullptr) std::abort();  // used before the start-up installed it
  return *g_store;
}

bool USAR(const std::string& alias, bool force) { return store().USAR(alias, force); }
bool USAR(const std::string& mode, std::vector<std::string>* list) {
  return store().USAR(mode, list);
}
bool TENTABRIR(const std::string& file, const std::string& alias) {
  return store().TENTABRIR(file, alias);
}
bool FREMAPA(const std::string& alias) { return store().FREMAPA(alias); }
bool REFOVPA() { return store().REFOVPA(); }
bool select_order(const std::string& alias, const std::string& key) {
  return store().select_order(alias, key);
}

}  // namespace kav
