#include "app/s0000.h"

#include "shell/message.h"
#include "shell/shell_state.h"

namespace kav {

void S0000(const std::vector<std::string>&) {
  MENSAGEM("ESPERE", "ROTINA EM DESENVOLVIMENTO");
  quit_program(0);
}

}  // namespace kav
