#include "tool_util.h"

#include <algorithm>
#include <cstdio>

#include "base/file_resolver.h"

namespace kav::dbftool {

int fail(const Status& st) {
  std::fprintf(stderr, "dbftool: %s\n", st.message().c_str());
  return 2;
}

Status open_table(const std::string& path, const std::vector<std::string>& indexes,
                  std::unique_ptr<xbase::Table>* out) {
  auto resolved = resolve_path(path);
  if (!resolved) return Status::NotFound("tabela nao encontrada: " + path);
  std::unique_ptr<xbase::Table> t;
  KAV_RETURN_IF_ERROR(xbase::Table::Open(*resolved, &t));
  for (const std::string& ntx : indexes) {
    auto found = resolve_path(ntx);
    if (!found) return Status::NotFound("indice nao encontrado: " + ntx);
    KAV_RETURN_IF_ERROR(t->AttachIndex(*found));
  }
  *out = std::move(t);
  return Status::Ok();
}

Status split_args(const Args& args, const std::vector<std::string>& known,
                  std::vector<std::string>* positional, std::vector<std::string>* flags) {
  for (const std::string& a : args) {
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      if (std::find(known.begin(), known.end(), a) == known.end())
        return Status::Invalid("opcao invalida: " + a);
      flags->push_back(a);
    } else {
      positional->push_back(a);
    }
  }
  return Status::Ok();
}

bool has_flag(const std::vector<std::string>& flags, const std::string& flag) {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

Status parse_recno(const std::string& text, uint32_t* recno) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
    return Status::Invalid("numero de registro invalido: " + text);
  uint64_t n = std::stoull(text);
  if (n < 1 || n > 0xFFFFFFFFull) return Status::Invalid("numero de registro invalido: " + text);
  *recno = static_cast<uint32_t>(n);
  return Status::Ok();
}

}  // namespace kav::dbftool
