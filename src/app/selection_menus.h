// The small selection menus some submenu entries open before their report:
// which establishments, which order, which listing. Each hands the choice
// to the screen given by the caller.
#pragma once

#include <functional>
#include <string>

namespace kav {

// Budget follow-up: all establishments (mode ""), one establishment
// ("ONLYUPS", 7 digits), one municipality ("ONLYMUNIC", 6) or one health
// region ("ONLYREGSAU", 3).
using ModeCodeScreen = std::function<void(const std::string& mode, const std::string& code)>;
void MN_0202(const ModeCodeScreen& s0202);

// Gross-value list by name or by health region ("REGIAO"), plain or by
// financing sub-type.
using OrderScreen = std::function<void(const std::string& order)>;
void MN_S0505(const OrderScreen& s0505, const OrderScreen& s0506);

// BPA synthesis: every unit, or one unit, municipality or health region
// (the others empty), optionally only the records with errors.
struct SynthesisChoice {
  std::string unit, municipality, region;
  bool only_errors = false;
};
void MNSITUACAO(int row, int col, const std::function<void(const SynthesisChoice&)>& s0507);

// APAC synthesis: every establishment ("0000000") or one.
void MNSIT0570(int row, int col, const std::function<void(const std::string& unit)>& s0570);

// The shipment-database menu, until Esc.
void MN_0518();

}  // namespace kav
