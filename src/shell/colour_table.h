// Where the colour schemes are kept: the table S_COR.DBF of the program
// folder. The toolkit asks through this interface so that the table can be
// reached through the table engine.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/status.h"

namespace kav {

// One record of the colour table.
struct ColourRecord {
  int QUE_LINHA = 0;
  std::string PAD_NOME;
  // CABEC, MENSAGEM, CAMPOGET, CAMPOSAY, MENU, PMENU, PISCA, ASTER, SOMBRA,
  // OUTRO1, OUTRO2, OUTRO3.
  std::array<std::string, 12> schemes;
};

class ColourTable {
 public:
  virtual ~ColourTable() = default;
  virtual bool exists() = 0;
  // Creates the table holding the one record `first`.
  virtual Status create(const ColourRecord& first) = 0;
  // Reads every record (the table holds a handful).
  virtual Status read_all(std::vector<ColourRecord>* records) = 0;
};

// The record the toolkit writes when the table is missing.
ColourRecord default_colour_record();

}  // namespace kav
