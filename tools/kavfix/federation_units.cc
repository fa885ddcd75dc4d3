#include "federation_units.h"

#include "base/latin1.h"

namespace kav::kavfix {

const std::vector<FederationUnit>& federation_units() {
  static const std::vector<FederationUnit> units = {
      {"11", "RO", "RONDONIA"},           {"12", "AC", "ACRE"},
      {"13", "AM", "AMAZONAS"},           {"14", "RR", "RORAIMA"},
      {"15", "PA", "PARA"},               {"16", "AP", "AMAPA"},
      {"17", "TO", "TOCANTINS"},          {"21", "MA", "MARANHAO"},
      {"22", "PI", "PIAUI"},              {"23", "CE", "CEARA"},
      {"24", "RN", "RIO GRANDE DO NORTE"}, {"25", "PB", "PARAIBA"},
      {"26", "PE", "PERNAMBUCO"},         {"27", "AL", "ALAGOAS"},
      {"28", "SE", "SERGIPE"},            {"29", "BA", "BAHIA"},
      {"31", "MG", "MINAS GERAIS"},       {"32", "ES", "ESPIRITO SANTO"},
      {"33", "RJ", "RIO DE JANEIRO"},     {"35", "SP", "SAO PAULO"},
      {"41", "PR", "PARANA"},             {"42", "SC", "SANTA CATARINA"},
      {"43", "RS", "RIO GRANDE DO SUL"},  {"50", "MS", "MATO GROSSO DO SUL"},
      {"51", "MT", "MATO GROSSO"},        {"52", "GO", "GOIAS"},
      {"53", "DF", "DISTRITO FEDERAL"},
  };
  return units;
}

const FederationUnit* find_federation_unit(std::string_view abbreviation) {
  std::string upper = latin1_upper(abbreviation);
  for (const FederationUnit& u : federation_units())
    if (u.abbreviation == upper) return &u;
  return nullptr;
}

}  // namespace kav::kavfix
