// The same steps on SQLite: one table of 60 columns with the four indexes,
// written in one transaction.
#include <sqlite3.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "bpi_rows.h"
#include "cases.h"

namespace kav::bench {

namespace {

// Settings of the peer: no syncing (our engine does not sync either) and a
// page cache of the size our four indexes get together.
const char kPragmas[] = "PRAGMA synchronous=OFF; PRAGMA cache_size=-16384;";

std::string db_path(const StepArgs& a) { return a.dir + "/bpi.sqlite"; }

struct Db {
  sqlite3* db = nullptr;
  ~Db() { sqlite3_close(db); }
  Status Error(const char* what) const {
    return Status::IoError(std::string(what) + ": " + sqlite3_errmsg(db));
  }
  Status Exec(const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) == SQLITE_OK) return Status::Ok();
    std::string msg = err ? err : "?";
    sqlite3_free(err);
    return Status::IoError(sql.substr(0, 40) + ": " + msg);
  }
  Status Prepare(const std::string& sql, sqlite3_stmt** st) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, st, nullptr) != SQLITE_OK) return Error("prepare");
    return Status::Ok();
  }
};

Status open_db(const StepArgs& a, Db* d) {
  if (sqlite3_open(db_path(a).c_str(), &d->db) != SQLITE_OK) return d->Error("open");
  return d->Exec(kPragmas);
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return s;
}

std::string schema() {
  std::string sql = "CREATE TABLE bpi (";
  const std::vector<xbase::FieldDef>& fields = bpi_fields();
  for (size_t f = 0; f < fields.size(); ++f) {
    const xbase::FieldDef& d = fields[f];
    sql += (f ? ", " : "") + lower(d.name) +
           (d.type == 'N' ? (d.decimals ? " REAL" : " INTEGER") : " TEXT");
  }
  return sql + ")";
}

// "BPI_CMP + BPI_UID" -> "bpi_cmp, bpi_uid"
std::string columns(const char* expression) {
  std::string out;
  for (const char* p = expression; *p; ++p) out += *p == '+' ? ',' : static_cast<char>(*p);
  return lower(out);
}

uint64_t digits_value(const char* p, int w, int* dec_seen) {
  uint64_t v = 0;
  for (int k = 0; k < w; ++k) {
    if (p[k] >= '0' && p[k] <= '9') v = v * 10 + static_cast<uint64_t>(p[k] - '0');
    else if (p[k] == '.') *dec_seen = 1;
  }
  return v;
}

Status bind_row(sqlite3_stmt* ins, const char* rec) {
  const std::vector<xbase::FieldDef>& fields = bpi_fields();
  const std::vector<int>& off = bpi_offsets();
  for (size_t f = 0; f < fields.size(); ++f) {
    const char* p = rec + off[f];
    int w = fields[f].width, col = static_cast<int>(f) + 1, rc;
    if (fields[f].type != 'N') {
      rc = sqlite3_bind_text(ins, col, p, w, SQLITE_STATIC);
    } else {
      int dot = 0;
      uint64_t v = digits_value(p, w, &dot);
      rc = fields[f].decimals ? sqlite3_bind_double(ins, col, static_cast<double>(v) / 100.0)
                              : sqlite3_bind_int64(ins, col, static_cast<int64_t>(v));
    }
    if (rc != SQLITE_OK) return Status::IoError("bind");
  }
  return Status::Ok();
}

}  // namespace

Status sqlite_append(const StepArgs& a, StepResult* r) {
  ::unlink(db_path(a).c_str());
  ::unlink((db_path(a) + "-journal").c_str());
  char rec[kBpiRecordLength];
  int64_t start = now_ns();
  Db d;
  KAV_RETURN_IF_ERROR(open_db(a, &d));
  KAV_RETURN_IF_ERROR(d.Exec(schema()));
  for (const BpiIndex& ix : kBpiIndexes)
    KAV_RETURN_IF_ERROR(d.Exec("CREATE INDEX " + lower(ix.tag) + " ON bpi (" +
                               columns(ix.expression) + ")"));
  KAV_RETURN_IF_ERROR(d.Exec("BEGIN"));
  std::string sql = "INSERT INTO bpi VALUES (?";
  for (size_t f = 1; f < bpi_fields().size(); ++f) sql += ",?";
  sqlite3_stmt* ins = nullptr;
  KAV_RETURN_IF_ERROR(d.Prepare(sql + ")", &ins));
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(ins, sqlite3_finalize);
  for (uint64_t i = 0; i < a.rows; ++i) {
    BpiRows::Fill(i, rec);
    KAV_RETURN_IF_ERROR(bind_row(ins, rec));
    if (sqlite3_step(ins) != SQLITE_DONE) return d.Error("insert");
    sqlite3_reset(ins);
  }
  guard.reset();
  KAV_RETURN_IF_ERROR(d.Exec("COMMIT"));
  int64_t count = 0;
  r->seconds = seconds_since(start);
  sqlite3_stmt* q = nullptr;
  KAV_RETURN_IF_ERROR(d.Prepare("SELECT count(*) FROM bpi", &q));
  if (sqlite3_step(q) == SQLITE_ROW) count = sqlite3_column_int64(q, 0);
  sqlite3_finalize(q);
  r->check = "records=" + std::to_string(count);
  return Status::Ok();
}

Status sqlite_seek(const StepArgs& a, StepResult* r) {
  Db d;
  KAV_RETURN_IF_ERROR(open_db(a, &d));
  sqlite3_stmt* q = nullptr;
  KAV_RETURN_IF_ERROR(d.Prepare(
      "SELECT bpi_nmpac FROM bpi WHERE bpi_uid = ?1 AND bpi_cmp = ?2 AND bpi_cnsmed = ?3 "
      "AND bpi_cbo = ?4 AND bpi_flh = ?5 AND bpi_seq = ?6",
      &q));
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(q, sqlite3_finalize);
  static const char* const kKeyNames[6] = {"BPI_UID", "BPI_CMP", "BPI_CNSMED",
                                           "BPI_CBO", "BPI_FLH", "BPI_SEQ"};
  int key_fields[6];
  for (int k = 0; k < 6; ++k) key_fields[k] = bpi_field(kKeyNames[k]);
  char rec[kBpiRecordLength];
  uint64_t found = 0, sum = 0;
  int64_t start = now_ns();
  for (uint64_t n = 0; n < a.rows; ++n) {
    BpiRows::FillKey(seek_target(n, a.rows), rec);
    for (int k = 0; k < 6; ++k)
      sqlite3_bind_text(q, k + 1, rec + bpi_offsets()[key_fields[k]],
                        bpi_fields()[key_fields[k]].width, SQLITE_STATIC);
    int rc = sqlite3_step(q);
    if (rc == SQLITE_ROW) {
      ++found;
      sum += byte_sum(reinterpret_cast<const char*>(sqlite3_column_text(q, 0)),
                      static_cast<size_t>(sqlite3_column_bytes(q, 0)));
    } else if (rc != SQLITE_DONE) {
      return d.Error("select");
    }
    sqlite3_reset(q);
  }
  r->seconds = seconds_since(start);
  r->check = "found=" + std::to_string(found) + " sum=" + std::to_string(sum);
  return Status::Ok();
}

Status sqlite_scan(const StepArgs& a, StepResult* r) {
  int64_t start = now_ns();
  Db d;
  KAV_RETURN_IF_ERROR(open_db(a, &d));
  sqlite3_stmt* q = nullptr;
  // NOT INDEXED: the same full pass over the rows as ours.
  KAV_RETURN_IF_ERROR(d.Prepare("SELECT count(*) FROM bpi NOT INDEXED WHERE bpi_cmp = ?1", &q));
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(q, sqlite3_finalize);
  sqlite3_bind_text(q, 1, kScanCompetence, 6, SQLITE_STATIC);
  if (sqlite3_step(q) != SQLITE_ROW) return d.Error("count");
  int64_t count = sqlite3_column_int64(q, 0);
  r->seconds = seconds_since(start);
  r->check = "count=" + std::to_string(count);
  return Status::Ok();
}

}  // namespace kav::bench
