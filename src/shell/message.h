// The message line, the centred message box and the yes/no question.
#pragma once

#include <string>
#include <vector>

#include "platform/screen.h"

namespace kav {

// kind: "ESPERE" (wait for a key), "ESPEREBARRA" (wait for the space bar),
// "AVISE" (show and go on), "AVISESALVA" (save the row first, into `saved`
// when given), "AVISERECUPERA" (put a saved row back). While the closing
// run is unattended the waiting kinds only log the text.
void MENSAGEM(const std::string& kind, const std::string& text = "", int row = 23,
              Region* saved = nullptr);

// A framed box of lines; "ESPERE" and "ESPEREBARRA" wait and restore, other
// kinds leave the box on the screen.
bool MENSAGEM2(const std::vector<std::string>& lines, const std::string& kind = "ESPERE");

// A yes/no question on row 23: "S" or "N". With `default_answer` "N" the
// choice NAO comes first.
std::string CONFIRMA(const std::string& question, const std::string& default_answer = "");

// Row 23 message of the unattended log: "hh:mm " + text.
void log_unattended(const std::string& text);

}  // namespace kav
