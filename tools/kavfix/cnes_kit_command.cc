// kavfix cnes-kit: registry kit files from their body lines.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/replacing_file.h"
#include "cnes_kit.h"
#include "command.h"

namespace kav::kavfix {

namespace {

struct Request {
  std::string input;   // empty: standard input
  std::string output;  // empty: standard output
  CnesKitOptions options;
};

bool parse_line_number(const std::string& text, uint64_t* n) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  *n = std::stoull(text);
  return *n > 0;
}

Status parse(const Args& args, Request* req) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool has_value = i + 1 < args.size();
    uint64_t n;
    if (a == "--lf") {
      req->options.crlf = false;
    } else if (a == "--reproducible") {
      req->options.reproducible = true;
    } else if (a == "-o" && has_value) {
      req->output = args[++i];
    } else if ((a == "--bad-trailer" || a == "--bad-chain") && has_value) {
      if (!parse_line_number(args[++i], &n)) return Status::Invalid("numero de linha invalido: " + args[i]);
      (a == "--bad-trailer" ? req->options.bad_trailer : req->options.bad_chain).insert(n);
    } else if (a.empty() || a[0] != '-' || a == "-") {
      if (!req->input.empty()) return Status::Invalid("mais de um arquivo de entrada");
      req->input = a == "-" ? "" : a;
    } else {
      return Status::Invalid("opcao invalida: " + a);
    }
  }
  return Status::Ok();
}

Status read_bodies(const std::string& input, std::vector<std::string>* bodies) {
  if (input.empty()) return read_body_lines(STDIN_FILENO, bodies);
  int fd = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::NotFound("arquivo nao encontrado: " + input);
  Status st = read_body_lines(fd, bodies);
  ::close(fd);
  return st;
}

Status write_to_stdout(const std::vector<std::string>& bodies, const CnesKitOptions& options) {
  KAV_RETURN_IF_ERROR(write_cnes_kit(bodies, options, [](std::string_view s) {
    return std::fwrite(s.data(), 1, s.size(), stdout) == s.size()
               ? Status::Ok()
               : Status::IoError("erro de gravacao na saida");
  }));
  return std::fflush(stdout) == 0 ? Status::Ok() : Status::IoError("erro de gravacao na saida");
}

Status write_to_file(const std::vector<std::string>& bodies, const CnesKitOptions& options,
                     const std::string& path) {
  ReplacingFile file(path);
  KAV_RETURN_IF_ERROR(file.Open());
  KAV_RETURN_IF_ERROR(
      write_cnes_kit(bodies, options, [&](std::string_view s) { return file.Append(s); }));
  return file.Commit();
}

int run(const Args& args) {
  Request req;
  std::vector<std::string> bodies;
  Status st = parse(args, &req);
  if (st.ok()) st = read_bodies(req.input, &bodies);
  if (st.ok()) {
    st = req.output.empty() ? write_to_stdout(bodies, req.options)
                            : write_to_file(bodies, req.options, req.output);
  }
  if (st.ok()) return 0;
  std::fprintf(stderr, "kavfix cnes-kit: %s\n", st.message().c_str());
  return st.code() == Status::Code::kInvalid ? 2 : 1;
}

}  // namespace

const Command kCnesKitCommand = {
    "cnes-kit",
    "[ENTRADA] [-o SAIDA] [--lf] [--reproducible] [--bad-trailer N] [--bad-chain N]",
    "    Kit de cadastro (CNES): cada linha de corpo de ENTRADA (ou da entrada\n"
    "    padrao) e gravada com o seu trailer de 24 caracteres encadeado.\n"
    "    -o SAIDA          grava em SAIDA (substituida so no fim) em vez da saida padrao\n"
    "    --lf              termina as linhas com LF (padrao: CR LF)\n"
    "    --reproducible    blocos iniciais fixos: a mesma entrada da o mesmo arquivo\n"
    "    --bad-trailer N   a linha N leva uma soma errada (repetivel)\n"
    "    --bad-chain N     a linha N e encadeada a um valor errado (repetivel)",
    run,
};

}  // namespace kav::kavfix
