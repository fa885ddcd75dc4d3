#include "store/fields.h"

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

}  // namespace kav
