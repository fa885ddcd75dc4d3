// A StoreUi that records every call as a line of text, for tests:
// "line:TEXT", "wait:TEXT", "gauge-open:CAPTION", "gauge:PERCENT",
// "gauge-close", "end:TEXT". end_program() returns.
#pragma once

#include <string>
#include <vector>

#include "store/store_ui.h"

namespace kav {

class RecordingStoreUi : public StoreUi {
 public:
  void show_line(const std::string& text) override { events_.push_back("line:" + text); }
  void show_and_wait(const std::string& text) override { events_.push_back("wait:" + text); }
  void gauge_open(const std::string& caption) override {
    events_.push_back("gauge-open:" + caption);
  }
  void gauge_update(double percent) override {
    events_.push_back("gauge:" + std::to_string(static_cast<int>(percent)));
  }
  void gauge_close() override { events_.push_back("gauge-close"); }
  void end_program(const std::string& text) override { events_.push_back("end:" + text); }

  const std::vector<std::string>& events() const { return events_; }
  // The events of one kind ("wait", "line", "end", ...), without the prefix.
  std::vector<std::string> of(const std::string& kind) const {
    std::vector<std::string> out;
    for (const std::string& e : events_)
      if (e.compare(0, kind.size() + 1, kind + ":") == 0) out.push_back(e.substr(kind.size() + 1));
    return out;
  }
  void clear() { events_.clear(); }

 private:
  std::vector<std::string> events_;
};

}  // namespace kav
