#include "platform/script_console.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/latin1.h"
#include "platform/close_request.h"

namespace kav {

namespace {

// "<CLICK:r,c>" body "CLICK:r,c".
bool parse_click(const std::string& body, KeyEvent* out) {
  int row = 0, col = 0;
  char tail = 0;
  if (std::sscanf(body.c_str(), "CLICK:%d,%d%c", &row, &col, &tail) != 2) return false;
  *out = KeyEvent{key::kMouseLeft, false, row, col};
  return true;
}

}  // namespace

Status ScriptConsole::create(const std::string& script, Options options,
                             std::unique_ptr<ScriptConsole>* out) {
  const std::string text = utf8_to_latin1(script);
  std::deque<ScriptKey> keys;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\r') continue;
    if (c != '<') {
      keys.push_back(ScriptKey{KeyEvent{static_cast<unsigned char>(c)}});
      continue;
    }
    const size_t close = text.find('>', i);
    if (close == std::string::npos) return Status::Invalid("roteiro: '<' sem '>'");
    const std::string body = latin1_upper(text.substr(i + 1, close - i - 1));
    i = close;
    ScriptKey k;
    if (body == "INTERRUPT") {
      k = ScriptKey{KeyEvent{key::kEsc}, true};
    } else if (auto named = named_key(body)) {
      k.event = *named;
    } else if (!parse_click(body, &k.event)) {
      return Status::Invalid("roteiro: tecla desconhecida <" + body + ">");
    }
    keys.push_back(k);
  }
  out->reset(new ScriptConsole(std::move(keys), std::move(options)));
  return Status::Ok();
}

Status ScriptConsole::open(const std::string& script_path, Options options,
                           std::unique_ptr<ScriptConsole>* out) {
  std::ifstream in(script_path, std::ios::binary);
  if (!in) return Status::NotFound("roteiro de teclas nao encontrado: " + script_path);
  std::ostringstream text;
  text << in.rdbuf();
  return create(text.str(), std::move(options), out);
}

ScriptConsole::ScriptConsole(std::deque<ScriptKey> keys, Options options)
    : keys_(std::move(keys)), options_(std::move(options)) {
  if (!options_.dump_path.empty()) std::ofstream(options_.dump_path, std::ios::trunc);
  exhausted_ = [this] {
    dump("fim do roteiro");
    std::fprintf(stderr,
                 "kav32: o roteiro de teclas acabou enquanto o programa esperava uma tecla\n");
    request_close(3);
  };
}

KeyEvent ScriptConsole::read_key(int timeout_ms) {
  ++waits_;
  dump("espera " + std::to_string(waits_));
  if (options_.keep_screens) screens_.push_back(screen());
  if (keys_.empty() && timeout_ms >= 0) return KeyEvent{};  // the wait times out
  if (keys_.empty()) {
    exhausted_();
    return KeyEvent{};
  }
  const KeyEvent k = keys_.front().event;
  keys_.pop_front();
  return k;
}

KeyEvent ScriptConsole::poll_key() {
  if (keys_.empty() || !keys_.front().interrupt) return KeyEvent{};
  const KeyEvent k = keys_.front().event;
  keys_.pop_front();
  return k;
}

void ScriptConsole::tone(int /*hz*/, int /*ticks*/) { ++tones_; }

std::string ScriptConsole::dump_text(const std::string& reason) const {
  std::string out = "=== " + reason + " ===\n";
  for (int r = 0; r < Screen::kRows; ++r) out += screen().row_text(r) + "\n";
  if (options_.attributes) {
    out += "--- cores ---\n";
    for (int r = 0; r < Screen::kRows; ++r) out += screen().row_attrs(r) + "\n";
  }
  return out;
}

void ScriptConsole::dump(const std::string& reason) {
  if (options_.dump_path.empty()) return;
  std::ofstream(options_.dump_path, std::ios::app | std::ios::binary) << dump_text(reason);
}

}  // namespace kav
