// The 27 federation units with their IBGE codes, as the installation
// settings know them.
#pragma once

#include <string_view>
#include <vector>

namespace kav::kavfix {

struct FederationUnit {
  std::string_view code;  // IBGE, 2 digits
  std::string_view abbreviation;
  std::string_view name;  // upper case, without accents
};

const std::vector<FederationUnit>& federation_units();

// The unit of abbreviation `abbreviation` (any case), or null.
const FederationUnit* find_federation_unit(std::string_view abbreviation);

}  // namespace kav::kavfix
