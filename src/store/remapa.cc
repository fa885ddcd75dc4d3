#include "store/remapa.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "base/file_resolver.h"
#include "base/latin1.h"
#include "store/layouts.h"
#include "store/store.h"

namespace kav {

namespace {

using xbase::Field;
using xbase::FieldDef;
using xbase::Table;

// One marker test: the table is rebuilt when it holds.
struct Marker {
  enum Kind {
    kMissing,     // field absent
    kPresent,     // field present
    kWidthNot,    // present and not `n` wide
    kNarrower,    // present and narrower than `n`
    kWidthIs,     // present and `n` wide
    kAt,          // field is the n-th
    kNotAt,       // the n-th field is not this one
    kNthWidthNot  // the n-th field is not `width` wide (field unused)
  } kind;
  const char* field;
  int n = 0;
  int width = 0;
};

bool holds(const Marker& m, const Table& t) {
  int i = m.field ? t.field_index(m.field) : -1;
  auto width = [&](int k) { return t.fields()[static_cast<size_t>(k)].def.width; };
  switch (m.kind) {
    case Marker::kMissing:
      return i < 0;
    case Marker::kPresent:
      return i >= 0;
    case Marker::kWidthNot:
      return i >= 0 && width(i) != m.n;
    case Marker::kNarrower:
      return i >= 0 && width(i) < m.n;
    case Marker::kWidthIs:
      return i >= 0 && width(i) == m.n;
    case Marker::kAt:
      return i == m.n - 1;
    case Marker::kNotAt:
      return i != m.n - 1;
    case Marker::kNthWidthNot:
      return static_cast<int>(t.fields().size()) < m.n || width(m.n - 1) != m.width;
  }
  return false;
}

std::vector<Marker> missing(std::initializer_list<const char*> names) {
  std::vector<Marker> out;
  for (const char* n : names) out.push_back({Marker::kMissing, n});
  return out;
}

std::vector<Marker> operator+(std::vector<Marker> a, const std::vector<Marker>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Runs `fn` on every visible record of `t` in record order.
template <typename Fn>
Status each_record(Table* t, Fn fn) {
  KAV_RETURN_IF_ERROR(t->SetOrder(0));
  KAV_RETURN_IF_ERROR(t->GoTop());
  while (!t->eof()) {
    KAV_RETURN_IF_ERROR(fn());
    KAV_RETURN_IF_ERROR(t->Skip());
  }
  return Status::Ok();
}

bool blank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// Sets field `to` from field `from` where `to` is blank.
Status fill_blank(Table* t, const char* to, const char* from) {
  int dst = t->field_index(to), src = t->field_index(from);
  return each_record(t, [&]() {
    return blank(t->raw(dst)) ? t->put_raw(dst, std::string(t->raw(src))) : Status::Ok();
  });
}

Status set_all(Table* t, const char* field, std::string_view value) {
  int f = t->field_index(field);
  return each_record(t, [&]() { return t->put_raw(f, value); });
}

Status set_blank(Table* t, const char* field, std::string_view value) {
  int f = t->field_index(field);
  return each_record(t, [&]() { return blank(t->raw(f)) ? t->put_raw(f, value) : Status::Ok(); });
}

// Value fixes applied to a rebuilt table.

Status fix_cfa(const FixContext& c) {
  Table* t = c.table;
  int first = t->field_index("CFAINICIAL"), last = t->field_index("CFAFINAL");
  auto zero_fill = [&](int f) {
    std::string s(t->raw(f));
    size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    s = a == std::string::npos ? "" : s.substr(a, b - a + 1);
    return t->put_raw(f, std::string(12 - std::min<size_t>(12, s.size()), '0') + s);
  };
  return each_record(t, [&]() {
    KAV_RETURN_IF_ERROR(zero_fill(first));
    return zero_fill(last);
  });
}

Status fix_mnt(const FixContext& c) { return set_blank(c.table, "MNT_TPCC", "1"); }

Status fix_pa(const FixContext& c) {
  Table* t = c.table;
  if (!c.had("PA_EXIGCBO")) KAV_RETURN_IF_ERROR(set_all(t, "PA_EXIGCBO", "S"));
  if (!c.had("PA_6MESES")) KAV_RETURN_IF_ERROR(set_all(t, "PA_6MESES", "N"));
  return Status::Ok();
}

Status fix_emu(const FixContext& c) { return fill_blank(c.table, "EMU_MVM", "EMU_CMP"); }
Status fix_vpa(const FixContext& c) { return fill_blank(c.table, "VPA_MVM", "VPA_CMP"); }

Status fix_cid(const FixContext& c) {
  Table* t = c.table;
  if (c.had("CMP_INI")) return Status::Ok();
  KAV_RETURN_IF_ERROR(set_all(t, "CMP_INI", "200801"));
  return set_all(t, "CMP_FIM", "999999");
}

Status fix_pasrv(const FixContext& c) {
  Table* t = c.table;
  int f = t->field_index("PASRV_SRV");
  return each_record(t, [&]() { return t->put_raw(f, "0" + std::string(t->raw(f).substr(0, 2))); });
}

// Budget rows written before the financing type existed take the type of
// their procedure's financing code ("01", "07" or blank PAB "1"; "05", "06"
// MAC "2"; "02", "04" FAEC "3"; "08" "4"; other "0"), from the procedure
// table row of the budget's competence, else of any competence. Rows whose
// procedure is unknown stay blank, for the consistency run to report.
std::string financing_type(std::string_view ctf) {
  std::string code(ctf.substr(0, std::min<size_t>(2, ctf.size())));
  if (code == "01" || code == "07" || blank(code)) return "1";
  if (code == "05" || code == "06") return "2";
  if (code == "02" || code == "04") return "3";
  if (code == "08") return "4";
  return "0";
}

Status fix_ipu(const FixContext& c) {
  if (c.had("IPU_TPFIN")) return Status::Ok();
  auto pa_path = resolve_path(c.store.path("S_PA.DBF"));
  if (!pa_path) return Status::Ok();
  std::unique_ptr<Table> owned;
  Table* pa = c.store.table("PA");
  if (pa == nullptr || c.store.workspace().find("PA")->path != *pa_path) {
    KAV_RETURN_IF_ERROR(Table::Open(*pa_path, &owned));
    pa = owned.get();
  }
  int id = pa->field_index("PA_ID"), cmp = pa->field_index("PA_CMP"),
      ctf = pa->field_index("PA_CTF");
  if (id < 0 || cmp < 0 || ctf < 0) return Status::Ok();
  std::map<std::string, std::string> by_competence, by_procedure;  // key -> PA_CTF
  uint32_t keep = pa->recno();
  int order = pa->order();
  KAV_RETURN_IF_ERROR(each_record(pa, [&]() {
    std::string proc(pa->raw(id)), ctf_text(pa->raw(ctf));
    by_competence[std::string(pa->raw(cmp)) + proc] = ctf_text;
    by_procedure.emplace(proc, ctf_text);
    return Status::Ok();
  }));
  if (!owned) {
    KAV_RETURN_IF_ERROR(pa->SetOrder(order));
    KAV_RETURN_IF_ERROR(pa->GoTo(keep));
  }
  Table* t = c.table;
  int ipu_cmp = t->field_index("IPU_CMP"), ipu_pa = t->field_index("IPU_PA");
  int type = t->field_index("IPU_TPFIN");
  return each_record(t, [&]() {
    std::string proc(t->raw(ipu_pa));
    auto in_competence = by_competence.find(std::string(t->raw(ipu_cmp)) + proc);
    if (in_competence != by_competence.end())
      return t->put_raw(type, financing_type(in_competence->second));
    auto any = by_procedure.find(proc);
    return any == by_procedure.end() ? Status::Ok() : t->put_raw(type, financing_type(any->second));
  });
}

// Fixes applied at every opening that needs no rebuild.
Status every_open_mnt(Table* t) { return set_blank(t, "MNT_BANCO", "001"); }
Status every_open_ups(Table* t) { return set_all(t, "UPSATUCNES", "S"); }

struct Upgrade {
  const char* alias;
  std::vector<Marker> markers;
  ValueFix fix = nullptr;
  Status (*every_open)(Table*) = nullptr;
  bool tight_title = false;  // "Atencao:atualizando estrutura "
  const char* before = nullptr;
  bool indexes_at_once = false;
};

const std::vector<Upgrade>& upgrades() {
  using M = Marker;
  static const std::vector<Upgrade> kUpgrades = {
      {"PRDHST", missing({"PRD_INSRG"})},
      {"UPSPRF", missing({"PRF_CHKSM", "PRF_INE"})},
      {"EQUIPE", missing({"EQP_CHKSM", "EQP_INE"})},
      {"UPSHA", missing({"UHA_CHKSM"})},
      // The no-CPF mark (RAPA_SEMCPF, cut to ten) is read by the RAAS rules:
      // tables without it gain it.
      {"RAPA",
       missing({"RAPA_CID", "RAPA_LREX", "RAPAVL_FED", "RAPA_INE", "RAPA_CPFPC", "RAPA_SEMCP"}) +
           std::vector<M>{{M::kPresent, "RAPA_NAUTO"}}},
      {"CNSQTD", missing({"X"})},
      {"CTR", missing({"CTR_VERSAO", "CTR_CONS"})},
      {"BPIHST", missing({"BPI_SRV", "BPI_CNPJ", "BPI_LOGPCN", "BPI_VL_FED", "BPI_INE",
                          "BPI_CPFPCT", "BPI_STRUA", "BPI_SEMCPF"})},
      {"APA", missing({"APA_PRIPAL", "APA_CNSPCT", "APA_CNSRES", "APA_CNSDIR", "APA_RACA",
                       "APA_NOMERE", "APA_ETNIA", "APA_ADVLMC", "APA_SRV", "APA_ADVTZM",
                       "APA_CDLOGR", "APA_INE", "APA_ADVSEX", "APA_CPFPCT", "APA_EXPMAE",
                       "APA_STRUA", "APA_FNTORC", "APA_EMEPAR", "APA_SEMCPF"}) +
                  std::vector<M>{{M::kWidthNot, "APA_VARIA", 141},
                                 {M::kWidthNot, "APA_PRIPAL", 9},
                                 {M::kWidthNot, "APA_UFPCN", 3},
                                 {M::kWidthNot, "APA_CODEMI", 10},
                                 {M::kWidthNot, "APA_NUM", 13}}},
      {"CFA", {{M::kNthWidthNot, nullptr, 1, 12}, {M::kNthWidthNot, nullptr, 2, 12}}, fix_cfa},
      {"PAP",
       missing({"PAP_CNPJ", "PAP_NFISC", "PAP_CIDPRI", "PAP_CIDSEC", "PAP_CBO", "PAP_EQUIPE",
                "PAP_VL_FED", "PAP_UNTERC"}) +
           std::vector<M>{{M::kNarrower, "PAP_NUM", 13},
                          {M::kNarrower, "PAP_PA", 10},
                          {M::kNarrower, "PAP_VL_FED", 15}},
       nullptr, nullptr, true},
      {"PRD",
       missing({"PRD_APANUM", "PRD_CNPJ",   "PRD_NFIS",   "PRD_TPFIN",  "PRD_RESID",  "PRD_RUB",
                "PRD_QTDATR", "PRD_QTDATU", "PRD_RC",     "PRD_CIDPRI", "PRD_CNSMED", "PRD_VL_A",
                "PRD_VL_P",   "PRD_CPX",    "PRD_INCOUT", "PRD_INCURG", "PRD_INSRG",  "PRD_VL_FED",
                "PRD_TEMP",   "PRD_LREX",   "PRD_CHKSM",  "PRD_INE",    "PRD_CPFPCT", "PRD_UNTERC",
                "PRD_VL_CRD", "PRD_STCRED"}) +
           std::vector<M>{{M::kWidthNot, "PRD_APANUM", 13}},
       nullptr, nullptr, false, "reformar a estrutura S_PRD!"},
      {"MNT",
       missing({"MNT_TPCC", "MNT_BANCO", "MNT_CHKSM"}) +
           std::vector<M>{{M::kWidthIs, "MNT_TELE", 7}},
       fix_mnt, every_open_mnt, true},
      {"PA",
       missing({"PA_AUX", "PA_EXIGCBO", "PA_PROCCEO", "PA_PERMAN", "PA_6MESES", "PA_EXIGCAS"}),
       fix_pa},
      {"IPU",
       missing({"IPU_AUX", "IPU_VLAEST", "IPU_VLPEST", "IPU_VLOE", "IPU_TPFIN", "IPU_CHKSM"}) +
           std::vector<M>{{M::kNarrower, "IPU_AUX", 21},
                          {M::kWidthNot, "IPU_PA", 9},
                          {M::kAt, "IPU_TPFIN", 2},
                          {M::kNarrower, "IPU_VL_O", 15}},
       fix_ipu, nullptr, true},
      {"EMU", missing({"EMU_CHKSM", "EMU_MVM"}) + std::vector<M>{{M::kWidthNot, "EMU_EMA", 6}},
       fix_emu},
      {"VPA",
       missing({"VPA_SP", "VPA_SA", "VPA_SH", "VPA_MVM"}) +
           std::vector<M>{{M::kNarrower, "VPA_PA", 9}, {M::kNarrower, "VPA_SA", 15}},
       fix_vpa, nullptr, false, nullptr, true},
      {"UPS",
       missing({"UPS_CNES", "UPS_NH", "UPSATUCNES", "UPS_BANCO", "UPS_MNT", "UPS_NATJUR",
                "UNIDADE_ID", "UPS_CHKSM"}),
       nullptr, every_open_ups},
      {"SS", missing({"SS_DPCNES", "SS_TXTCNE", "SS_CRD", "SS_CFCES0"})},
      {"SRV", missing({"SRV_SR", "SRV_CHKSM"}) + std::vector<M>{{M::kWidthIs, "SRV_SR", 2}},
       nullptr, nullptr, true},
      {"PASRV", {{M::kWidthIs, "PASRV_SRV", 2}}, fix_pasrv, nullptr, true},
      {"BPI", missing({"BPI_RACA", "BPI_ETNIA", "BPI_NACIO", "BPI_SRV", "BPI_CNPJ", "BPI_CHKSM",
                       "BPI_LOGPCN", "BPI_VL_FED", "BPI_ADVSEX", "BPI_INE", "BPI_STRUA",
                       "BPI_SEMCPF", "BPI_CPFPCT"})},
      {"DPG", missing({"DPG_RC", "DPG_CHKSM"}) + std::vector<M>{{M::kWidthNot, "DPG_PA", 10}}},
      {"FORNEC", {{M::kNotAt, "FOR_CNPJ", 1}, {M::kMissing, "FOR_TMP"}}},
      {"CRD", missing({"CRDBDP_OUT", "CRD_VL_FED"})},
      {"CID", missing({"CMP_INI", "CMP_FIM"}), fix_cid},
      {"RAS", missing({"RA_STRUA", "RA_NAUTO", "RA_EMAIL", "RA_CPFPCT", "RA_SEMCPF"}) +
                  std::vector<M>{{M::kWidthNot, "RA_PCNORI", 2}}},
  };
  return kUpgrades;
}

const Upgrade* find_upgrade(const std::string& alias) {
  std::string upper = latin1_upper(alias);
  for (const Upgrade& u : upgrades())
    if (upper == u.alias) return &u;
  return nullptr;
}

// The layout a table is rebuilt to: the current one, except S_PASRV, which
// keeps its own layout with the service widened to 3.
Status target_fields(const CatalogEntry& e, const Table& old, std::vector<FieldDef>* out) {
  if (e.alias != "PASRV") return layout_fields(e.file, out);
  out->clear();
  for (const Field& f : old.fields()) {
    out->push_back(f.def);
    if (f.def.name == "PASRV_SRV") out->back().width = 3;
  }
  return Status::Ok();
}

Status copy_value(const Table& from, int src, Table* to, int dst) {
  const FieldDef& a = from.fields()[static_cast<size_t>(src)].def;
  const FieldDef& b = to->fields()[static_cast<size_t>(dst)].def;
  std::string_view v = from.raw(src);
  if (a.type == b.type && (a.type != 'N' || (a.width == b.width && a.decimals == b.decimals)))
    return to->put_raw(dst, v);
  if (a.type == 'N' && b.type == 'N') return to->put(dst, v);
  // Another type: the text of the value when it reads as one.
  size_t first = v.find_first_not_of(' ');
  std::string text = first == std::string_view::npos ? "" : std::string(v.substr(first));
  if (b.type == 'C') return to->put_raw(dst, text);
  Status st = to->put(dst, text);
  return st.ok() ? st : to->put(dst, "");
}

void sync_path(const std::string& path, int flags) {
  int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string folder_of(const std::string& path) {
  std::string parent = std::filesystem::path(path).parent_path().string();
  return parent.empty() ? "." : parent;
}

}  // namespace

bool FixContext::had(std::string_view name) const {
  for (const Field& f : old_fields)
    if (f.def.name == name) return true;
  return false;
}

bool needs_upgrade(const std::string& alias, const Table& t) {
  const Upgrade* u = find_upgrade(alias);
  if (u == nullptr) return false;
  for (const Marker& m : u->markers)
    if (holds(m, t)) return true;
  return false;
}

Status copy_records(Table* from, Table* to) {
  std::vector<int> source;
  for (const Field& f : to->fields()) source.push_back(from->field_index(f.def.name));
  KAV_RETURN_IF_ERROR(from->SetOrder(0));
  KAV_RETURN_IF_ERROR(from->GoTop());
  while (!from->eof()) {
    KAV_RETURN_IF_ERROR(to->Append());
    for (size_t i = 0; i < source.size(); ++i) {
      int dst = static_cast<int>(i);
      if (source[i] >= 0) {
        Status st = copy_value(*from, source[i], to, dst);
        if (!st.ok())
          return Status::Invalid(st.message() + " (registro " + std::to_string(from->recno()) +
                                 ")");
      } else if (to->fields()[i].def.type == 'N') {
        KAV_RETURN_IF_ERROR(to->put(dst, "0"));
      }
    }
    KAV_RETURN_IF_ERROR(from->Skip());
  }
  return Status::Ok();
}

bool rebuild_table(Store& store, const std::string& alias, const std::vector<FieldDef>& fields,
                   const std::string& title, ValueFix fix) {
  WorkArea* area = store.workspace().find(alias);
  if (area == nullptr || area->entry == nullptr) return false;
  const CatalogEntry* entry = area->entry;
  const std::string file = entry->table_file();
  const std::string old_path = area->path;
  const std::vector<Field> old_fields = area->table->fields();
  StoreUi& ui = store.ui();
  auto fail = [&](const Status& st) {
    ui.end_program("ERRO NA ATUALIZACAO DA ESTRUTURA DE " + file + ": " + st.message() +
                   " - O ARQUIVO ANTIGO FOI MANTIDO");
    return false;
  };

  ui.show_and_wait(title + file);
  ui.show_line("COPIANDO REGISTROS DA ANTIGA " + file);

  // The new table is built beside the old one under the scratch name.
  const std::string temp = folder_of(old_path) + "/TEMP.DBF";
  std::error_code ec;
  if (auto stale = resolve_path(temp)) std::filesystem::remove(*stale, ec);
  Status st = Table::Create(temp, fields);
  std::unique_ptr<Table> fresh;
  if (st.ok()) st = Table::Open(temp, &fresh);
  if (st.ok()) st = area->table->CloseIndexes();
  if (st.ok()) st = copy_records(area->table.get(), fresh.get());
  if (st.ok() && fix) st = fix(FixContext{store, fresh.get(), old_fields});
  if (st.ok()) st = fresh->Close();
  if (!st.ok()) {
    fresh.reset();
    std::filesystem::remove(temp, ec);
    return fail(st);
  }
  sync_path(temp, O_RDONLY);

  // Only now does the new file take the old one's place.
  st = store.workspace().Close(alias);
  if (st.ok()) std::filesystem::rename(temp, old_path, ec);
  if (st.ok() && ec) st = Status::IoError("erro ao renomear " + temp + ": " + ec.message());
  if (!st.ok()) {
    std::filesystem::remove(temp, ec);
    Status reopened = store.workspace().Open(old_path, alias, entry);
    (void)reopened;
    return fail(st);
  }
  sync_path(folder_of(old_path), O_RDONLY | O_DIRECTORY);
  // The old index files describe the old file.
  for (const CatalogIndex& ix : entry->indexes) {
    if (auto f = resolve_path(store.path(std::string(ix.tag) + ".NTX")))
      std::filesystem::remove(*f, ec);
  }
  st = store.workspace().Open(old_path, alias, entry);
  if (!st.ok()) return fail(st);
  ui.show_and_wait(file + " - Atualizacao da estrutura concluida com sucesso !");
  return true;
}

bool Store::FREMAPA(const std::string& alias) {
  WorkArea* area = ws_.find(alias);
  if (area == nullptr || area->entry == nullptr) return false;
  const Upgrade* u = find_upgrade(alias);
  if (u == nullptr) return true;
  if (!needs_upgrade(alias, *area->table)) {
    if (u->every_open == nullptr) return true;
    Status st = u->every_open(area->table.get());
    if (st.ok()) st = area->table->GoTop();
    return st.ok() || report(area->entry->table_file(), st);
  }
  std::vector<FieldDef> fields;
  Status st = target_fields(*area->entry, *area->table, &fields);
  if (!st.ok()) return report(area->entry->table_file(), st);
  if (u->before) ui().show_and_wait(u->before);
  std::string title =
      u->tight_title ? "Atencao:atualizando estrutura " : "Atencao: atualizando estrutura ";
  if (!rebuild_table(*this, alias, fields, title, u->fix)) return false;
  return !u->indexes_at_once || rebuild_indexes(alias);
}

namespace {

// The value fields of the value table must have the current width and
// decimals.
bool vpa_values_differ(const Table& t) {
  std::vector<FieldDef> current;
  if (!layout_fields("S_VPA", &current).ok()) return false;
  for (const FieldDef& want : current) {
    if (want.type != 'N') continue;
    int i = t.field_index(want.name);
    if (i < 0) continue;
    const FieldDef& have = t.fields()[static_cast<size_t>(i)].def;
    if (have.width != want.width || have.decimals != want.decimals) return true;
  }
  return false;
}

}  // namespace

bool Store::REFOVPA() {
  if (!USAR("VPA")) return false;
  if (!vpa_values_differ(*table("VPA"))) return true;
  std::vector<FieldDef> fields;
  Status st = layout_fields("S_VPA", &fields);
  if (!st.ok()) return report("S_VPA.DBF", st);
  if (!rebuild_table(*this, "VPA", fields, "Atencao: atualizando estrutura ", fix_vpa))
    return false;
  return USAR("VPA");
}

}  // namespace kav
