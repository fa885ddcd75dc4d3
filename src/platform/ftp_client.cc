#include "platform/ftp_client.h"

#include <atomic>

namespace kav {

namespace {
std::atomic<Ftp*> g_current{nullptr};
}  // namespace

Ftp& current_ftp() {
  Ftp* f = g_current.load();
  return f != nullptr ? *f : curl_ftp();
}

Ftp* set_current_ftp(Ftp* ftp) { return g_current.exchange(ftp); }

}  // namespace kav
