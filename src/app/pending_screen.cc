#include "app/pending_screen.h"

#include "shell/message.h"

namespace kav {

void pending_screen(const std::string& /*screen*/) {
  MENSAGEM("ESPERE", "ROTINA EM DESENVOLVIMENTO");
}

}  // namespace kav
