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

// Adds "hh:mm " + text to the unattended log.
void log_unattended(const std::string& text);

// Shows the lines in a box (even during an unattended run), waits for a key
// and ends the program with status 1: failures the program cannot go on
// from.
[[noreturn]] void fatal_end(const std::vector<std::string>& lines);

}  // namespace kav
