#include "store/fields.h"

#include <filesystem>

#include "store/store_global.h"

namespace kav {

std::string field_value(const xbase::Table& t, std::string_view name) {
  const int i = t.field_index(name);
  return i < 0 || t.eof() ? std::string() : std::string(t.raw(i));
}

bool has_field(const xbase::Table& t, std::string_view name) { return t.field_index(name) >= 0; }

Status put_value(xbase::Table& t, std::string_view name, std::string_view value) {
  const int i = t.field_index(name);
  if (i < 0) return Status::Invalid("campo inexistente: " + std::string(name));
  return t.put(i, value);
}

namespace {

xbase::Table* opened(const std::string& alias) {
  if (store().table(alias) == nullptr && !USAR(alias)) return nullptr;
  return store().table(alias);
}

}  // namespace

std::string control_field(const std::string& alias, std::string_view name) {
  const xbase::Table* t = opened(alias);
  return t == nullptr ? std::string() : field_value(*t, name);
}

bool set_control_field(const std::string& alias, std::string_view name, std::string_view value) {
  xbase::Table* t = opened(alias);
  if (t == nullptr) return false;
  Status st = put_value(*t, name, value);
  if (st.ok()) st = t->Flush();
  if (st.ok()) return true;
  const std::string file = std::filesystem::path(t->path()).filename().string();
  store().ui().end_program("ERRO NO ARQUIVO " + file + ": " + st.message() +
                           " - RESTAURE A ULTIMA COPIA DE SEGURANCA");
  return false;
}

}  // namespace kav
