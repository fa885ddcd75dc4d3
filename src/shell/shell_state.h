// Process-wide state of the screen toolkit: the console and keyboard, the
// unattended flag and its message log, the versions shown in the header,
// the current colour, and what dialogs keep between calls.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/status.h"
#include "platform/console.h"
#include "platform/keyboard.h"

namespace kav {

class ColourTable;

// The secretariat and competence data the header shows.
struct HeaderData {
  std::string SS_SIGL;
  std::optional<std::string> SS_CONDIC;  // empty when the table has no such field
  std::string CTR_MVM;
  std::string CTR_CRD;
};

struct ShellState {
  Console* console = nullptr;
  std::unique_ptr<Keyboard> keyboard;

  // Global variables of the program.
  std::string DEF_KAV_VER = "06.05";
  std::string DEF_TAB_VER;
  std::string CCMP_KAV;
  bool LCREDAUTO = false;
  std::vector<std::string> AMENSAGENS;
  std::string CIMP;          // chosen printer, "PRN" the default device
  int MAXLINPAG = 54;        // last printable line of a report page
  std::string CTEST_FUNCAO;  // feature switch ("VERKAV")
  std::string CUSUARIO, CSENHA;  // identification and password of the command line
  std::string DEF_VERKAV_TAB, DEF_VERKAV_VERSAO;
  // Start-up options of KAV32.MEM: full screen, new-version check, shortcut.
  bool WXW_LTELA_CHEIA = false;
  bool WXW_LV_NOVA_VERSAO = false;
  bool WXW_LATALHO_KAV = false;

  // Current colour (the dBASE "SET COLOR") and output device.
  std::string colour = "W/N,N/W,N,N,N/W";
  std::string device = "SCREEN";
  bool insert_mode = false;

  // The twelve schemes of the colour table, once loaded.
  std::optional<std::array<std::string, 12>> schemes;
  ColourTable* colour_table = nullptr;

  // Header texts, cached from the first header until a refresh.
  std::function<HeaderData()> header_data;
  std::optional<std::array<std::string, 2>> header_texts;

  // The single saved message line and its row.
  Region saved_line;
  // The gauge's saved region and cursor shape.
  Region gauge_region;
  CursorShape gauge_cursor = CursorShape::kNormal;
  int gauge_blocks = 0;

  // Text of the entry field being edited (for the copy key), or empty.
  std::function<std::string()> active_field_text;
  // Sends a file unchanged to the default printer device.
  std::function<Status(const std::string& path)> print_file;
  // Run before the program ends (closing the tables).
  std::function<void()> before_quit;
};

ShellState& shell();
// Starts the toolkit on `console` (which must outlive it) with fresh state:
// the colours come from S_COR.DBF of the program folder, and closing the
// terminal ends the program through quit_program().
void attach_console(Console* console);
Screen& screen();
Keyboard& keyboard();

// Ends the program: resets the colour, clears the screen, gives the
// terminal back and exits with `code`.
[[noreturn]] void quit_program(int code = 0);
// Ends the program as quit_program() does, but leaves the screen as drawn
// (the exit screen).
[[noreturn]] void leave_on_screen(int code = 0);
// A programming error: writes `line` on the standard output after a line
// break and ends the program.
[[noreturn]] void analyst_abort(const std::string& line);

}  // namespace kav
