#include "cnes_kit.h"

#include "cadcheck/check_sum.h"
#include "cadcheck/kit_file.h"
#include "cadcheck/line_reader.h"
#include "cadcheck/text_cipher.h"

namespace kav::kavfix {

namespace {

using cadcheck::LeadingBlock;

constexpr size_t kMaxSumDigits = 7;  // more would not fit in 24 characters

// A chain value whose sum differs from `chain`'s.
std::string other_chain(std::string chain) {
  chain[0] = chain[0] == 'A' ? 'B' : 'A';
  return chain;
}

// The sum text minus one (plus one for 0): as long, but wrong.
std::string wrong_sum(const std::string& sum) {
  uint64_t v = std::stoull(sum);
  return std::to_string(v == 0 ? 1 : v - 1);
}

class BodyCollector : public cadcheck::LineSink {
 public:
  explicit BodyCollector(std::vector<std::string>* lines) : lines_(lines) {}
  void Piece(std::string_view piece) override { current_ += piece; }
  bool End() override {
    lines_->push_back(std::move(current_));
    current_.clear();
    return true;
  }

 private:
  std::vector<std::string>* lines_;
  std::string current_;
};

}  // namespace

Status write_cnes_kit(const std::vector<std::string>& bodies, const CnesKitOptions& options,
                      const Writer& write) {
  const std::string eol = options.crlf ? "\r\n" : "\n";
  std::string chain = cadcheck::first_chain_value(bodies.size());
  for (uint64_t n = 1; n <= bodies.size(); ++n) {
    const std::string& body = bodies[n - 1];
    if (body.find('\n') != std::string::npos) {
      return Status::Invalid("linha " + std::to_string(n) + ": quebra de linha no corpo");
    }
    std::string sum = cadcheck::trailer_plain_text(
        body, options.bad_chain.count(n) ? other_chain(chain) : chain);
    if (sum.size() > kMaxSumDigits) {
      return Status::Invalid("linha " + std::to_string(n) + ": soma " + sum +
                             " longa demais para o trailer");
    }
    if (options.bad_trailer.count(n)) sum = wrong_sum(sum);
    LeadingBlock lead = options.reproducible
                            ? LeadingBlock{static_cast<uint32_t>(n), static_cast<uint32_t>(n >> 32)}
                            : cadcheck::clock_leading_block();
    std::string trailer = cadcheck::encipher_text(sum, lead);
    KAV_RETURN_IF_ERROR(write(body));
    KAV_RETURN_IF_ERROR(write(trailer));
    KAV_RETURN_IF_ERROR(write(eol));
    chain = std::move(trailer);
  }
  return Status::Ok();
}

Status read_body_lines(int fd, std::vector<std::string>* lines) {
  BodyCollector collector(lines);
  if (!cadcheck::read_lines(fd, &collector)) return Status::IoError("erro de leitura das linhas");
  return Status::Ok();
}

}  // namespace kav::kavfix
