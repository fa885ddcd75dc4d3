#include "app/selection_menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_test_env.h"
#include "store/creators.h"

namespace kav {
namespace {

using SelectionMenusTest = MenuTest;

// Keys that choose entry `n` of a menu.
std::string entry(int n) {
  std::string keys = "<HOME>";
  for (int i = 1; i < n; ++i) keys += "<DOWN>";
  return keys + "<ENTER>";
}

TEST_F(SelectionMenusTest, BudgetFollowUpCodesArePaddedAndKeptWhileTheyFit) {
  const struct {
    std::string keys;
    const char* call;   // "" when the screen is not called
    int row, col;       // where the field is
    const char* field;  // the field as first shown, "" when none
    const char* hint;
  } kSteps[] = {
      {entry(1), "|", 0, 0, "", ""},
      {entry(2) + "1234567<ENTER>", "ONLYUPS|1234567", 10, 34, "      0",
       "INFORME CÓDIGO DO ESTAB."},
      // 1234567 is too wide for a municipality.
      {entry(3) + "355030<ENTER>", "ONLYMUNIC|355030", 11, 36, "     0",
       "INFORME CÓDIGO DO MUNICIPIO"},
      {entry(2) + "<ENTER>", "ONLYUPS|0355030", 10, 34, " 355030", ""},  // kept, zero-padded
      {entry(4) + "7<ENTER>", "ONLYREGSAU|007", 12, 34, "  0", "INFORME CÓDIGO DA REGIÃO DE SAÚDE"},
      {entry(4) + "0<ENTER><ESC>", "", 0, 0, "", ""},  // a zero code goes back to the menu
      {entry(2) + "<ESC><ESC>", "", 0, 0, "", ""},     // Esc in the field too
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.keys);
    run(step.keys);
    std::vector<std::string> calls;
    MN_0202([&](const std::string& mode, const std::string& code) {
      calls.push_back(mode + "|" + code);
    });
    EXPECT_EQ(calls, std::string(step.call).empty() ? std::vector<std::string>{}
                                                    : std::vector<std::string>{step.call});
    if (*step.field) {
      const std::string field(step.field);
      bool seen = false;
      for (size_t w = 0; w < waits(); ++w) {
        seen = seen || row_at_wait(w, step.row).substr(step.col, field.size()) == field;
      }
      EXPECT_TRUE(seen) << "field \"" << field << "\" at " << step.row << "," << step.col;
    }
    if (*step.hint) {
      EXPECT_TRUE(shown(step.hint));
    }
  }
}

TEST_F(SelectionMenusTest, ValueListOrders) {
  const struct {
    int entry;
    const char* call;
  } kCases[] = {{1, "S0505|"}, {2, "S0506|"}, {3, "S0505|REGIAO"}, {4, "S0506|REGIAO"}};
  for (const auto& c : kCases) {
    run(entry(c.entry));
    std::string call;
    MN_S0505([&](const std::string& order) { call = "S0505|" + order; },
             [&](const std::string& order) { call = "S0506|" + order; });
    EXPECT_EQ(call, c.call);
  }
  run("<ESC>");
  std::string call;
  MN_S0505([&](const std::string&) { call = "S0505"; }, [&](const std::string&) { call = "S0506"; });
  EXPECT_EQ(call, "");
}

TEST_F(SelectionMenusTest, SynthesisTogglesOnlyErrorsAndTakesOneCode) {
  const struct {
    std::string keys;
    const char* call;  // only-errors flag, unit, municipality, region
  } kCases[] = {
      {entry(2), "N|||"},
      {entry(1) + entry(2), "S|||"},
      {entry(1) + entry(1) + entry(3) + "42<ENTER>", "N|0000042||"},
      {entry(4) + "355030<ENTER>", "N||355030|"},
      {entry(1) + entry(5) + "12<ENTER>", "S|||012"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.keys);
    run(c.keys);
    std::string call;
    MNSITUACAO(14, 39, [&](const SynthesisChoice& s) {
      call = std::string(s.only_errors ? "S" : "N") + "|" + s.unit + "|" + s.municipality + "|" +
             s.region;
    });
    EXPECT_EQ(call, c.call);
  }
  EXPECT_TRUE(shown("Relatorio - Apenas Registros com Erro "));
}

TEST_F(SelectionMenusTest, ApacSynthesisOpensTheProcedureLinesFirst) {
  ASSERT_TRUE(create_table(*store_, "S_PAP", false));
  for (const auto& [keys, unit] : {std::pair{entry(1), "0000000"},
                                   std::pair{entry(2) + "2077485<ENTER>", "2077485"}}) {
    run(keys);
    std::string called;
    MNSIT0570(14, 48, [&](const std::string& u) {
      called = u;
      EXPECT_NE(store_->table("PAP"), nullptr);
    });
    EXPECT_EQ(called, unit);
    store_->workspace().CloseAll();
  }
}

}  // namespace
}  // namespace kav
