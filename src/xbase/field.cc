#include "xbase/field.h"

#include <cctype>
#include <sstream>

#include "base/latin1.h"

namespace kav::xbase {

Status normalise_field(FieldDef* f) {
  if (f->name.empty()) return Status::Invalid("campo sem nome");
  if (f->name.size() > 10) f->name.resize(10);
  f->name = latin1_upper(f->name);
  f->type = latin1_upper(f->type);
  switch (f->type) {
    case 'C':
      if (f->width < 1 || f->width > 65535) return Status::Invalid("largura invalida em " + f->name);
      f->decimals = 0;
      break;
    case 'N':
      if (f->width < 1 || f->width > 20) return Status::Invalid("largura invalida em " + f->name);
      if (f->decimals < 0 || (f->decimals > 0 && f->decimals > f->width - 2))
        return Status::Invalid("decimais invalidos em " + f->name);
      break;
    case 'D': f->width = 8; f->decimals = 0; break;
    case 'L': f->width = 1; f->decimals = 0; break;
    case 'M': f->width = 10; f->decimals = 0; break;
    default:
      return Status::Invalid(std::string("tipo de campo invalido em ") + f->name + ": " + f->type);
  }
  return Status::Ok();
}

Status parse_field_list(std::string_view text, std::vector<FieldDef>* out) {
  out->clear();
  std::string all(text);
  std::stringstream items(all);
  std::string item;
  while (std::getline(items, item, ',')) {
    std::stringstream words(item);
    FieldDef f;
    std::string type;
    if (!(words >> f.name >> type) || type.size() != 1)
      return Status::Invalid("definicao de campo invalida: " + item);
    f.type = type[0];
    words >> f.width >> f.decimals;
    if (!words.eof() && words.fail()) return Status::Invalid("definicao de campo invalida: " + item);
    KAV_RETURN_IF_ERROR(normalise_field(&f));
    for (const FieldDef& g : *out)
      if (g.name == f.name) return Status::Invalid("campo repetido: " + f.name);
    out->push_back(f);
  }
  if (out->empty()) return Status::Invalid("lista de campos vazia");
  return Status::Ok();
}

}  // namespace kav::xbase
