#include "platform/console_select.h"

#include <cstdlib>
#include <string>

#include "platform/script_console.h"
#include "platform/terminal_console.h"

namespace kav {

namespace {

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v == nullptr ? "" : v;
}

}  // namespace

Status open_console_from_env(std::unique_ptr<Console>* out) {
  const std::string choice = env("KAV_CONSOLE");
  if (choice.empty() || choice == "terminal") return open_terminal_console(out);
  const std::string prefix = "script:";
  if (choice.compare(0, prefix.size(), prefix) != 0 || choice.size() == prefix.size()) {
    return Status::Invalid("KAV_CONSOLE deve ser \"terminal\" ou \"script:<arquivo>\": " + choice);
  }
  ScriptConsole::Options options{env("KAV_SCREEN_DUMP"), env("KAV_SCREEN_ATTRS") == "1"};
  std::unique_ptr<ScriptConsole> script;
  KAV_RETURN_IF_ERROR(ScriptConsole::open(choice.substr(prefix.size()), options, &script));
  *out = std::move(script);
  return Status::Ok();
}

}  // namespace kav
