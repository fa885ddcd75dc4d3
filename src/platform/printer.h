// Printing: the print destinations of the machine and the jobs sent to
// them. "PRN" names the default destination. The program prints through
// current_printer(): the real one (CUPS) unless a test put another in its
// place.
#pragma once

#include <string>
#include <vector>

#include "base/status.h"

namespace kav {

inline constexpr const char* kDefaultPrinter = "PRN";

// How a job's text is laid out on the page.
enum class PrintSize {
  kNormal,     // 80 columns: 12-point monospaced, lines cut at 85 characters
  kCondensed,  // 136 columns: 6-point monospaced, lines cut at 150 characters
};

struct PrintJob {
  std::string destination;  // a destination name, or "PRN"
  std::string title;        // the job's name in the queue
  std::string data;         // bytes as the program wrote them
  // Raw: the bytes go to the device unchanged (the program's own control
  // sequences and form feeds). Otherwise the text is laid out on pages
  // of `size` by the program (its form feeds and page length).
  bool raw = true;
  PrintSize size = PrintSize::kNormal;
};

class Printer {
 public:
  virtual ~Printer() = default;
  // The destinations' names (the default first when there is one).
  virtual Status Destinations(std::vector<std::string>* names) = 0;
  // Whether `destination` ("PRN": the default) takes jobs now; the reason
  // when it does not.
  virtual Status Ready(const std::string& destination, bool* ready, std::string* reason) = 0;
  // Printable lines of a page of `destination` at `size`.
  virtual int PageLines(const std::string& destination, PrintSize size) = 0;
  // Queues the job; an error when it could not be started or was refused.
  virtual Status Print(const PrintJob& job) = 0;
};

// The real destinations (libcups).
Printer& cups_printer();

// The printer every part of the program uses.
Printer& current_printer();
// Puts `printer` in place of the current one (nullptr: the real one) and
// returns the previous one. `printer` must outlive its use.
Printer* set_current_printer(Printer* printer);

class ScopedPrinter {
 public:
  explicit ScopedPrinter(Printer* p) : previous_(set_current_printer(p)) {}
  ~ScopedPrinter() { set_current_printer(previous_); }
  ScopedPrinter(const ScopedPrinter&) = delete;
  ScopedPrinter& operator=(const ScopedPrinter&) = delete;

 private:
  Printer* previous_;
};

// A printer for tests: fixed destinations and readiness, every job kept.
class RecordingPrinter : public Printer {
 public:
  Status Destinations(std::vector<std::string>* names) override;
  Status Ready(const std::string& destination, bool* ready, std::string* reason) override;
  int PageLines(const std::string& destination, PrintSize size) override;
  Status Print(const PrintJob& job) override;

  std::vector<std::string> destinations;  // answered by Destinations()
  bool ready = true;
  bool refuse_jobs = false;  // Print() fails
  int page_lines = 60;
  std::vector<PrintJob> jobs;
};

}  // namespace kav
