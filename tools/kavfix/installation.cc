#include "installation.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <system_error>
#include <utility>

#include "admin/users_file.h"
#include "base/clock.h"
#include "base/competence.h"
#include "base/file_resolver.h"
#include "base/latin1.h"
#include "cadcheck_copy.h"
#include "federation_units.h"
#include "shell/colour_table.h"
#include "shell/dbf_colour_table.h"
#include "shell/shell_state.h"
#include "store/catalog.h"
#include "store/creators.h"
#include "store/recording_store_ui.h"
#include "store/store.h"
#include "table_files.h"
#include "xbase/table.h"

namespace kav::kavfix {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStateConditions[] = {"EC", "EP", "EN", "EA"};
constexpr std::string_view kMunicipalConditions[] = {"MS", "PB", "MP", "PA", "MN", "PG"};
// Subfolders the program works in, one per competence below each.
constexpr const char* kSubfolders[] = {"BACKUP", "TXTCNES", "VBQ"};
// Files whose presence marks a folder as an installation.
constexpr const char* kInstallationMarks[] = {"S_SS.DBF", "S_CTR.DBF", kUsersFileName};

bool all_digits(std::string_view s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

template <size_t N>
bool one_of(const std::string_view (&set)[N], std::string_view value) {
  for (std::string_view s : set)
    if (s == value) return true;
  return false;
}

Status check_municipality(const InstallSpec& spec, const FederationUnit& unit) {
  if (spec.state) {
    if (!spec.municipality.empty())
      return Status::Invalid("--municipio nao se usa com --estadual (o gestor estadual e " +
                             std::string(unit.code) + "0000)");
    return Status::Ok();
  }
  const std::string& m = spec.municipality;
  if (m.empty()) return Status::Invalid("informe --municipio (6 digitos do IBGE) ou --estadual");
  if (m.size() != 6 || !all_digits(m))
    return Status::Invalid("--municipio deve ter 6 digitos do IBGE: " + m);
  if (m.compare(0, 2, unit.code) != 0)
    return Status::Invalid("--municipio " + m + " nao pertence a UF " +
                           std::string(unit.abbreviation) + " (codigo " + std::string(unit.code) +
                           ")");
  if (m.compare(2, 4, "0000") == 0 || m.compare(2, 4, "9999") == 0)
    return Status::Invalid("--municipio " + m + " e o codigo da UF; use --estadual");
  return Status::Ok();
}

Status check_competence(InstallSpec* spec) {
  if (spec->competence.empty()) {
    spec->competence = current_clock().now().date.competence().text();
    return Status::Ok();
  }
  if (!Competence::parse(spec->competence))
    return Status::Invalid("--competencia invalida: " + spec->competence +
                           " (AAAAMM, mes de 01 a 12)");
  return Status::Ok();
}

// A text option typed on a UTF-8 terminal, as the Latin-1 upper case the
// table keeps; refused when longer than the field.
Status text_option(const char* option, size_t width, std::string* value) {
  std::string typed = *value;
  *value = latin1_upper(utf8_to_latin1(typed));
  if (std::count(value->begin(), value->end(), '?') > std::count(typed.begin(), typed.end(), '?'))
    return Status::Invalid(std::string(option) + " tem caracteres fora do ISO-8859-1: " + typed);
  if (value->size() > width)
    return Status::Invalid(std::string(option) + " tem mais de " + std::to_string(width) +
                           " caracteres: " + latin1_to_utf8(*value));
  return Status::Ok();
}

Status fill_names(InstallSpec* spec, const FederationUnit& unit) {
  bool named = !spec->name.empty();
  if (named) {
    KAV_RETURN_IF_ERROR(text_option("--nome", 40, &spec->name));
  } else {
    spec->name =
        spec->state ? "SEC.EST.SAUDE " + std::string(unit.name) : "MUNICIPIO " + spec->municipality;
  }
  if (!spec->abbreviation.empty()) return text_option("--sigla", 10, &spec->abbreviation);
  if (spec->state)
    spec->abbreviation = "SES-" + std::string(unit.abbreviation) + "    ";
  else
    spec->abbreviation = "SMS-" + (named ? spec->name.substr(0, 6) : spec->municipality);
  return Status::Ok();
}

Status fill_condition(InstallSpec* spec) {
  if (spec->condition.empty()) spec->condition = spec->state ? "EP" : "PG";
  spec->condition = latin1_upper(spec->condition);
  bool ok = spec->state ? one_of(kStateConditions, spec->condition)
                        : one_of(kMunicipalConditions, spec->condition);
  if (ok) return Status::Ok();
  return Status::Invalid(
      "--condicao " + spec->condition + " invalida para secretaria " +
      (spec->state ? "estadual (EC, EP, EN, EA)" : "municipal (MS, PB, MP, PA, MN, PG)"));
}

// The manager code: the municipality, or the state code + "0000".
std::string manager_code(const InstallSpec& spec, const FederationUnit& unit) {
  return spec.state ? std::string(unit.code) + "0000" : spec.municipality;
}

using Values = std::initializer_list<std::pair<const char*, std::string>>;

// Opens `alias` and writes the values into its current (last) record.
Status put_record(Store& store, const char* alias, Values values) {
  if (!store.USAR(alias)) return Status::IoError(std::string("tabela ") + alias + " nao abriu");
  xbase::Table* t = store.table(alias);
  for (const auto& [field, value] : values) {
    int f = t->field_index(field);
    if (f < 0) return Status::Invalid(std::string("campo desconhecido ") + field);
    KAV_RETURN_IF_ERROR(t->put(f, value));
  }
  return t->Flush();
}

Status write_control_records(Store& store, const InstallSpec& spec, const FederationUnit& unit) {
  KAV_RETURN_IF_ERROR(put_record(store, "SS",
                                 {{"SS_UFIBGE", std::string(unit.code)},
                                  {"SS_UFSIGL", std::string(unit.abbreviation)},
                                  {"SS_UFNOME", std::string(unit.name)},
                                  {"SS_NM", spec.name},
                                  {"SS_SIGL", spec.abbreviation},
                                  {"SS_CGC", spec.cnpj},
                                  {"SS_IN", spec.state ? "E" : "M"},
                                  {"SS_CONDIC", spec.condition},
                                  {"SS_GESTAO", manager_code(spec, unit)},
                                  {"SS_DPCNES", spec.mapping_version}}));
  return put_record(store, "CTR",
                    {{"CTR_MVM", spec.competence},
                     {"CTR_CAD", "A"},
                     {"CTR_FPO", "A"},
                     {"CTR_BDP", "A"},
                     {"CTR_PRD", "A"},
                     {"CTR_CRD", "A"},
                     {"CTR_CONS", "N"},
                     {"CTR_VERSAO", program_version()}});
}

// The municipality itself in the municipalities table, so that the start
// finds its condition of management there.
Status write_own_municipality(const std::string& folder, const InstallSpec& spec,
                              const FederationUnit& unit) {
  if (spec.state || resolve_path(folder + "/CADMUN.DBF")) return Status::Ok();
  return write_table(
      folder, {"CADMUN",
               "CODUF, CODMUNIC, NOME, CONDIC, IBGE_UF",
               {std::string(unit.code) + "|" + spec.municipality.substr(2) + "|" + spec.name + "|" +
                spec.condition + "|" + std::string(unit.abbreviation)}});
}

// A failure of the store, with the last thing it showed.
// The printer profiles: a dot-matrix printer (selected), a PCL printer
// and plain text. The sequences are dBASE expressions.
Status write_printer_profiles(const std::string& folder) {
  if (resolve_path(folder + "/CONFIMP.DBF")) return Status::Ok();
  return write_table(folder, {"CONFIMP",
                              "NOME_IMP, MAXLIN, TAM_4, TAM_1, SEQ_RESET",
                              {R"(MATRICIAL (EPSON/COMPATIVEL)|-1|CHR(15)|CHR(18)|CHR(27)+"@")",
                               R"(JATO DE TINTA/LASER (PCL)|0|CHR(27)+"(s16.67H"|CHR(27)+"(s10H"|CHR(27)+"E")",
                               R"(TEXTO SEM CONTROLE|0|""|""|"")"}});
}

Status store_failure(const RecordingStoreUi& ui, const std::string& what) {
  const std::vector<std::string>& shown = ui.events();
  for (auto it = shown.rbegin(); it != shown.rend(); ++it)
    if (*it != "line:") return Status::IoError(what + " (" + *it + ")");
  return Status::IoError(what);
}

// Every catalog table (and the CNES list of the start-up), empty, where
// the folder does not have it yet.
Status create_tables(Store& store, const RecordingStoreUi& ui, const std::string& folder) {
  std::vector<std::string> files;
  for (const CatalogEntry& e : catalog()) files.emplace_back(e.file);
  files.emplace_back("S_UPSVAL");
  for (const std::string& file : files) {
    if (store.exists(file + ".DBF")) continue;
    if (only_kit_layout(file)) {
      KAV_RETURN_IF_ERROR(write_table(folder, {file, "", {}}));
    } else if (!create_table(store, file, false)) {
      return store_failure(ui, "tabela " + file + " nao foi criada");
    }
  }
  return Status::Ok();
}

// Opens every table once (indexes built, structures brought up to date)
// and closes in order, which records the stamps of S_CARTEM.DBI.
Status open_and_close_all(Store& store, const RecordingStoreUi& ui) {
  for (const CatalogEntry& e : catalog()) {
    if (!store.USAR(std::string(e.alias)))
      return store_failure(ui, "tabela " + std::string(e.file) + " nao abriu");
  }
  if (!store.USAR("FECHANDO")) return store_failure(ui, "fechamento das tabelas falhou");
  if (!ui.of("end").empty()) return store_failure(ui, "erro nas tabelas");
  return Status::Ok();
}

Status make_subfolders(const std::string& folder, const std::string& competence) {
  std::error_code ec;
  for (const char* sub : kSubfolders) {
    fs::create_directories(fs::path(folder) / sub / competence, ec);
    if (ec)
      return Status::IoError(std::string("pasta ") + sub + " nao foi criada: " + ec.message());
  }
  return Status::Ok();
}

Status build(const std::string& folder, const InstallSpec& spec, const FederationUnit& unit,
             const FolderExtra& extra) {
  KAV_RETURN_IF_ERROR(make_subfolders(folder, spec.competence));
  if (extra) KAV_RETURN_IF_ERROR(extra(folder));
  KAV_RETURN_IF_ERROR(write_own_municipality(folder, spec, unit));
  KAV_RETURN_IF_ERROR(write_printer_profiles(folder));
  RecordingStoreUi ui;
  Store store(StoreContext{.folder = folder, .ui = &ui});
  KAV_RETURN_IF_ERROR(create_tables(store, ui, folder));
  KAV_RETURN_IF_ERROR(write_control_records(store, spec, unit));
  KAV_RETURN_IF_ERROR(write_initial_users(folder + "/" + kUsersFileName));
  KAV_RETURN_IF_ERROR(DbfColourTable(folder).create(default_colour_record()));
  KAV_RETURN_IF_ERROR(spec.cadcheck_folder.empty() ? install_cadcheck(folder)
                                                   : copy_cadcheck(spec.cadcheck_folder, folder));
  return open_and_close_all(store, ui);
}

bool holds_installation(const std::string& dir, std::string* mark) {
  for (const char* name : kInstallationMarks) {
    if (resolve_path(dir + "/" + name)) {
      *mark = name;
      return true;
    }
  }
  return false;
}

// A file of `from` that `to` already has (in any case), or "".
std::string first_collision(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(from, ec)) {
    std::optional<std::string> there = resolve_path((to / e.path().filename()).string());
    if (!there) continue;
    if (!e.is_directory()) return e.path().filename().string();
    if (fs::is_directory(*there)) {
      std::string inner = first_collision(e.path(), *there);
      if (!inner.empty()) return (e.path().filename() / inner).string();
    }
  }
  return "";
}

// Moves every entry of `from` into the existing folder `to`: files
// replace theirs (whatever the case of its name), folders are merged.
Status move_entries(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  std::vector<fs::path> entries;
  for (const fs::directory_entry& e : fs::directory_iterator(from, ec)) entries.push_back(e.path());
  if (ec) return Status::IoError("erro ao ler " + from.string() + ": " + ec.message());
  for (const fs::path& entry : entries) {
    fs::path target = to / entry.filename();
    std::optional<std::string> there = resolve_path(target.string());
    if (there && fs::is_directory(entry) && fs::is_directory(*there)) {
      KAV_RETURN_IF_ERROR(move_entries(entry, *there));
      continue;
    }
    fs::rename(entry, target, ec);
    if (!ec && there && fs::path(*there) != target) fs::remove_all(*there, ec);
    if (ec) return Status::IoError("nao foi possivel mover " + target.string() + ": " + ec.message());
  }
  return Status::Ok();
}

Status move_into(const fs::path& built, const fs::path& dir, bool force) {
  std::error_code ec;
  if (!fs::exists(dir, ec)) {
    fs::rename(built, dir, ec);
    return ec ? Status::IoError("nao foi possivel criar " + dir.string() + ": " + ec.message())
              : Status::Ok();
  }
  std::string collision = first_collision(built, dir);
  if (!collision.empty() && !force)
    return Status::Invalid(dir.string() + " ja contem " + collision +
                           "; use --force para substituir");
  return move_entries(built, dir);
}

Status make_scratch_beside(const fs::path& dir, fs::path* scratch) {
  fs::path parent = dir.parent_path().empty() ? fs::path(".") : dir.parent_path();
  std::error_code ec;
  fs::create_directories(parent, ec);
  std::string tmpl = (parent / ("." + dir.filename().string() + ".kavfix-XXXXXX")).string();
  if (ec || ::mkdtemp(tmpl.data()) == nullptr)
    return Status::IoError("nao foi possivel criar pasta temporaria em " + parent.string());
  *scratch = tmpl;
  return Status::Ok();
}

}  // namespace

std::string program_version() { return ShellState().DEF_KAV_VER; }

Status complete_spec(InstallSpec* spec) {
  if (spec->uf.empty()) return Status::Invalid("informe --uf (sigla da UF)");
  const FederationUnit* unit = find_federation_unit(spec->uf);
  if (unit == nullptr) return Status::Invalid("--uf desconhecida: " + spec->uf);
  spec->uf = std::string(unit->abbreviation);
  KAV_RETURN_IF_ERROR(check_municipality(*spec, *unit));
  KAV_RETURN_IF_ERROR(check_competence(spec));
  if (!spec->cnpj.empty() && (spec->cnpj.size() != 14 || !all_digits(spec->cnpj)))
    return Status::Invalid("--cnpj deve ter 14 digitos: " + spec->cnpj);
  KAV_RETURN_IF_ERROR(fill_condition(spec));
  return fill_names(spec, *unit);
}

Status install(const std::string& dir, const InstallSpec& spec, bool force,
               const FolderExtra& extra) {
  const FederationUnit* unit = find_federation_unit(spec.uf);
  if (unit == nullptr) return Status::Invalid("--uf desconhecida: " + spec.uf);
  // The folder by its full name ("inst/", "." and "a/.." name a folder
  // whose parent receives the scratch folder).
  std::error_code ec;
  fs::path target = fs::absolute(dir, ec).lexically_normal();
  if (!target.has_filename()) target = target.parent_path();
  if (fs::exists(target, ec) && !fs::is_directory(target, ec))
    return Status::Invalid(dir + " existe e nao e uma pasta");
  std::string mark;
  if (!force && holds_installation(target.string(), &mark))
    return Status::Invalid(dir + " ja contem uma instalacao (" + mark +
                           "); use --force para substitui-la");
  fs::path scratch;
  KAV_RETURN_IF_ERROR(make_scratch_beside(target, &scratch));
  Status st = build(scratch.string(), spec, *unit, extra);
  if (st.ok()) st = move_into(scratch, target, force);
  fs::remove_all(scratch, ec);
  return st;
}

}  // namespace kav::kavfix
