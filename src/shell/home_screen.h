// The home screen's information lines and the exit screen.
#pragma once

namespace kav {

// Writes rows 10-15 of the home screen: where the establishment registry
// came from, the mapping program's version and its last run, and (from
// 201604) the minimum versions the reference-table kit demands.
void ATUALIZA_INFORMACOES_TELA_PRINCIPAL();

// The screen left when the program ends.
void ULTIMA_MSG();

}  // namespace kav
