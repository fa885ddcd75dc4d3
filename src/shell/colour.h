// Colour schemes. A pair is written foreground/background with the letters
// N B G BG R RB GR W ("+" bright foreground, "*" bright background); a
// scheme is up to five pairs: normal, selected, border, background,
// unselected.
#pragma once

#include <string>
#include <string_view>

#include "platform/screen.h"

namespace kav {

struct Scheme {
  Attr normal, selected, border, background, unselected;
};

// A pair; `fallback` when it names no colour.
Attr parse_pair(std::string_view pair, Attr fallback);
// A scheme; empty positions keep the default "W/N,N/W,N,N,N/W".
Scheme parse_scheme(std::string_view scheme);

// Sets the current colour and answers the previous one.
std::string set_colour(const std::string& scheme);
Scheme current_scheme();

// Restores the current colour when it goes out of scope.
class ColourGuard {
 public:
  ColourGuard();
  ~ColourGuard();
  ColourGuard(const ColourGuard&) = delete;
  ColourGuard& operator=(const ColourGuard&) = delete;

 private:
  std::string saved_;
};

// Scheme of the colour table by name (CABEC, MENSAGEM, ...); loads the
// table on the first call.
std::string SETCOR(const std::string& name);
// Fixed schemes independent of the colour table.
std::string FSETCOR(const std::string& name);
bool TEMCOR();

}  // namespace kav
