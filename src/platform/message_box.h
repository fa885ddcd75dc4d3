// The desktop's message box, drawn on the text screen: a centred box with a
// title, a question-mark sign, the text and an OK button. Waits for Enter,
// Space, Esc or a click, then puts back what it covered.
#pragma once

#include <string>
#include <vector>

#include "platform/keyboard.h"

namespace kav {

void message_box(Keyboard& keyboard, const std::string& text, const std::string& title);

// The lines of `text` wrapped at blanks to at most `width` characters.
std::vector<std::string> wrap_text(const std::string& text, size_t width);

}  // namespace kav
