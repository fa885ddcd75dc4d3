// Times our dBASE engine against its peers on the S_BPI table: append with
// four indexes, building one index, exact seeks and a scan with a predicate.
// Every step runs in a child process of its own, so that each peak of
// resident memory belongs to one step.
//
//   xbase_bench [ROWS] [--dir DIR]      runs every step, prints the table
//   xbase_bench --step NAME ROWS DIR    runs one step (used by the above)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cases.h"

namespace kav::bench {
namespace {

struct Step {
  const char* name;
  StepFn fn;
};

const Step kSteps[] = {
    {"generate", generate_only},   {"keys", write_key_lines},
    {"kav-append", kav_append},    {"sqlite-append", sqlite_append},
#ifdef KAV_BENCH_XBASE64
    {"xbase64-scan", xbase64_scan},
#endif
    {"kav-index", kav_index},      {"kav-seek", kav_seek},
    {"sqlite-seek", sqlite_seek},  {"kav-scan", kav_scan},
    {"sqlite-scan", sqlite_scan},
};

int run_step(const char* name, const StepArgs& a) {
  for (const Step& s : kSteps) {
    if (std::strcmp(s.name, name) != 0) continue;
    StepResult r;
    Status st = s.fn(a, &r);
    if (!st.ok()) {
      std::fprintf(stderr, "%s: %s\n", name, st.message().c_str());
      return 1;
    }
    std::printf("%.6f %s\n", r.seconds, r.check.c_str());
    return 0;
  }
  std::fprintf(stderr, "passo desconhecido: %s\n", name);
  return 2;
}

struct Measure {
  bool ok = false;
  double seconds = 0;
  double peak_mb = 0;
  std::string check;
};

// Runs argv in a child with LC_ALL=C; its standard output is returned in *out.
bool spawn(const std::vector<std::string>& argv, std::string* out, double* seconds,
           double* peak_mb) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  int64_t start = now_ns();
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    close(fds[1]);
    setenv("LC_ALL", "C", 1);
    std::vector<char*> args;
    for (const std::string& s : argv) args.push_back(const_cast<char*>(s.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(fds[1]);
  char buf[512];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0) out->append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  rusage ru{};
  wait4(pid, &status, 0, &ru);
  *seconds = seconds_since(start);
  *peak_mb = static_cast<double>(ru.ru_maxrss) / 1024.0;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

Measure measure_step(const char* name, const StepArgs& a) {
  Measure m;
  std::string out;
  double wall = 0;
  m.ok = spawn({"/proc/self/exe", "--step", name, std::to_string(a.rows), a.dir}, &out, &wall,
               &m.peak_mb);
  char check[256] = "";
  if (!m.ok || std::sscanf(out.c_str(), "%lf %255[^\n]", &m.seconds, check) < 1) m.ok = false;
  m.check = check;
  if (!m.ok) std::fprintf(stderr, "passo %s falhou\n", name);
  return m;
}

Measure measure_sort(const StepArgs& a, bool one_thread) {
  Measure m;
  std::vector<std::string> argv = {"sort"};
  if (one_thread) argv.push_back("--parallel=1");
  argv.insert(argv.end(), {"-o", a.dir + "/bpi01_sorted.txt", key_lines_path(a)});
  std::string out;
  m.ok = spawn(argv, &out, &m.seconds, &m.peak_mb);
  m.check = "lines";
  if (!m.ok) std::fprintf(stderr, "sort falhou\n");
  return m;
}

struct Line {
  const char* what;
  Measure ours;
  const char* peer;
  Measure theirs;
  double target;  // ours / peer at most; 0: no target, for information
  bool same_result;  // both sides must report the same check value
};

bool print_table(const StepArgs& a, const std::vector<Line>& lines, const Measure& gen) {
  std::printf("rows: %llu   data: %s\n", static_cast<unsigned long long>(a.rows), a.dir.c_str());
  std::printf("row generation alone (inside every append): %.3f s\n\n", gen.seconds);
  std::printf("%-22s %9s  %-22s %9s %7s %8s %8s %8s  %s\n", "case", "ours (s)", "peer",
              "peer (s)", "ratio", "target", "ours MB", "peer MB", "result");
  bool all_met = true;
  for (const Line& l : lines) {
    bool ok = l.ours.ok && l.theirs.ok;
    double ratio = ok && l.theirs.seconds > 0 ? l.ours.seconds / l.theirs.seconds : 0;
    bool met = ok && (l.target == 0 || ratio <= l.target) && l.ours.peak_mb < 256;
    all_met = all_met && met;
    std::string target = l.target ? "<= " + std::to_string(l.target).substr(0, 3) : "-";
    const char* result = !ok ? "FAILED" : !met ? "missed" : l.target ? "met" : "info";
    std::printf("%-22s %9.3f  %-22s %9.3f %7.2f %8s %8.1f %8.1f  %s\n", l.what, l.ours.seconds,
                l.peer, l.theirs.seconds, ratio, target.c_str(), l.ours.peak_mb,
                l.theirs.peak_mb, result);
  }
  return all_met;
}

bool same(const Measure& x, const Measure& y, const char* what) {
  if (x.ok && y.ok && x.check == y.check) return true;
  std::fprintf(stderr, "%s: resultados diferem: [%s] [%s]\n", what, x.check.c_str(),
               y.check.c_str());
  return false;
}

int run_all(const StepArgs& a) {
  mkdir(a.dir.c_str(), 0755);
  Measure gen = measure_step("generate", a);
  std::vector<Line> lines;
  Measure ours = measure_step("kav-append", a);
  lines.push_back(
      {"append, 4 indexes", ours, "SQLite", measure_step("sqlite-append", a), 1.0, true});
  Measure keys = measure_step("keys", a);
  Measure index = measure_step("kav-index", a);
  lines.push_back({"build BPI01 NTX", index, "sort (LC_ALL=C)", measure_sort(a, false), 1.5, false});
  lines.push_back({"build BPI01 NTX", index, "sort --parallel=1", measure_sort(a, true), 1.5, false});
  Measure seek = measure_step("kav-seek", a);
  Measure sqlite_seek = measure_step("sqlite-seek", a);
  lines.push_back({"exact seeks", seek, "SQLite point query", sqlite_seek, 1.0, true});
  Measure scan = measure_step("kav-scan", a);
  Measure sqlite_scan = measure_step("sqlite-scan", a);
  lines.push_back({"scan, BPI_CMP = value", scan, "SQLite count(*) WHERE", sqlite_scan, 0.5, true});
#ifdef KAV_BENCH_XBASE64
  Measure xbase64_scan = measure_step("xbase64-scan", a);
  lines.push_back({"scan, BPI_CMP = value", scan, "xbase64 record loop", xbase64_scan, 0, true});
#endif

  bool all_met = print_table(a, lines, gen);
  bool agree = keys.ok;
  for (const Line& l : lines)
    if (l.same_result) agree = same(l.ours, l.theirs, l.what) && agree;
  std::string expected_count = gen.check.substr(0, gen.check.find(' '));
  if (scan.check != expected_count) {
    std::fprintf(stderr, "contagem da varredura difere de %s\n", expected_count.c_str());
    agree = false;
  }
  if (index.check != "entries=" + std::to_string(a.rows)) {
    std::fprintf(stderr, "indice criado: %s\n", index.check.c_str());
    agree = false;
  }
  std::printf("\nchecks: %s; targets: %s\n", agree ? "peers agree" : "MISMATCH",
              all_met ? "all met" : "some missed");
  return agree ? 0 : 1;
}

}  // namespace
}  // namespace kav::bench

int main(int argc, char** argv) {
  kav::bench::StepArgs a;
  if (argc == 5 && std::strcmp(argv[1], "--step") == 0) {
    a.rows = std::strtoull(argv[3], nullptr, 10);
    a.dir = argv[4];
    return kav::bench::run_step(argv[2], a);
  }
  a.rows = 1000000;
  a.dir = "xbase-bench-data";
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) a.dir = argv[++i];
    else a.rows = std::strtoull(argv[i], nullptr, 10);
  }
  if (a.rows == 0) {
    std::fprintf(stderr, "uso: xbase_bench [LINHAS] [--dir PASTA]\n");
    return 2;
  }
  return kav::bench::run_all(a);
}
