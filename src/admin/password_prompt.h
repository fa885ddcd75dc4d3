// A password asked with the masked entry, with at most two attempts.
#pragma once

#include <string>

namespace kav {

struct PasswordPrompt {
  std::string hint;   // on the message line while typing
  int row, col;       // where the label goes; the entry follows it
  std::string label;
  std::string retry_message;  // after a failure that leaves another attempt
  std::string final_message;  // after the last failure
};

// Asks until the entry equals `expected`, at most twice; answers whether it
// did. A non-empty `first` is taken as the first attempt without asking
// (padded to the password width). Esc counts as the last failure.
bool ask_password(const PasswordPrompt& prompt, const std::string& expected,
                  const std::string& first = "");

// Asks once; false on Esc.
bool read_password(const PasswordPrompt& prompt, std::string* out);

}  // namespace kav
