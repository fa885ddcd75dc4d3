// Chooses the console backend from the environment:
//   KAV_CONSOLE          unset or "terminal": the terminal backend;
//                        "script:<file>": keys from the script <file>
//   KAV_SCREEN_DUMP      with the script backend, the file that receives a
//                        screen dump at every wait for a key
//   KAV_SCREEN_ATTRS     "1": dumps also carry the colour attributes
#pragma once

#include <memory>

#include "base/status.h"
#include "platform/console.h"

namespace kav {

Status open_console_from_env(std::unique_ptr<Console>* out);

}  // namespace kav
