#include "bpi_rows.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kav::bench {

const BpiIndex kBpiIndexes[4] = {
    {"BPI01", "BPI_UID + BPI_CMP + BPI_CNSMED + BPI_CBO + BPI_FLH + BPI_SEQ"},
    {"BPI02", "BPI_CNSPAC + BPI_PA + BPI_CMP"},
    {"BPI03", "BPI_CMP + BPI_UID + BPI_PA"},
    {"BPI04", "BPI_CMP + BPI_UID + BPI_ORG"},
};

const char kScanCompetence[7] = "202611";

namespace {

const xbase::FieldDef kLayout[] = {
    {"BPI_UID", 'C', 7, 0},     {"BPI_CMP", 'C', 6, 0},     {"BPI_CNSMED", 'C', 15, 0},
    {"BPI_CBO", 'C', 6, 0},     {"BPI_FLH", 'C', 3, 0},     {"BPI_SEQ", 'C', 2, 0},
    {"BPI_PA", 'C', 10, 0},     {"BPI_CPFPCT", 'C', 11, 0}, {"BPI_CNSPAC", 'C', 15, 0},
    {"BPI_NMPAC", 'C', 30, 0},  {"BPI_DTNASC", 'C', 8, 0},  {"BPI_SEXO", 'C', 1, 0},
    {"BPI_IBGE", 'C', 6, 0},    {"BPI_DTATEN", 'C', 8, 0},  {"BPI_CID", 'C', 4, 0},
    {"BPI_CATEN", 'C', 2, 0},   {"BPI_NAUT", 'C', 13, 0},   {"BPI_QT_P", 'N', 6, 0},
    {"BPI_QT_A", 'N', 6, 0},    {"BPI_IDADE", 'N', 3, 0},   {"BPI_MVM", 'C', 6, 0},
    {"BPI_ORG", 'C', 3, 0},     {"BPI_TPFIN", 'C', 1, 0},   {"BPI_RMS", 'C', 4, 0},
    {"BPI_FLPA", 'C', 1, 0},    {"BPI_FLCID", 'C', 1, 0},   {"BPI_FLCBO", 'C', 1, 0},
    {"BPI_FLCA", 'C', 1, 0},    {"BPI_FLIDA", 'C', 1, 0},   {"BPI_FLQT", 'C', 1, 0},
    {"BPI_FLER", 'C', 1, 0},    {"BPI_RACA", 'C', 2, 0},    {"BPI_ETNIA", 'C', 4, 0},
    {"BPI_NACIO", 'C', 3, 0},   {"BPI_SRV", 'C', 3, 0},     {"BPI_CSF", 'C', 3, 0},
    {"BPI_EQUIPE", 'C', 12, 0}, {"BPI_CNPJ", 'C', 14, 0},   {"BPI_CEPPCN", 'C', 8, 0},
    {"BPI_CDLOGR", 'C', 3, 0},  {"BPI_LOGPCN", 'C', 30, 0}, {"BPI_CPLPCN", 'C', 10, 0},
    {"BPI_NUMPCN", 'C', 5, 0},  {"BPI_BAIRRO", 'C', 30, 0}, {"BPI_DDD", 'C', 2, 0},
    {"BPI_TEL", 'C', 9, 0},     {"BPI_EMAIL", 'C', 40, 0},  {"BPI_VL_FED", 'N', 10, 2},
    {"BPI_VL_LOC", 'N', 10, 2}, {"BPI_VL_INC", 'N', 10, 2}, {"BPI_INCOUT", 'C', 4, 0},
    {"BPI_INCURG", 'C', 4, 0},  {"BPI_RUB", 'C', 6, 0},     {"BPI_CPX", 'C', 1, 0},
    {"BPI_RC", 'C', 4, 0},      {"BPI_CHKSM", 'C', 6, 0},   {"BPI_INE", 'C', 10, 0},
    {"BPI_STRUA", 'C', 1, 0},   {"BPI_SEMCPF", 'C', 1, 0},  {"BPI_ADVSEX", 'C', 1, 0},
};

// Record offsets of the fields, fixed by the layout above.
enum Off {
  kUid = 1, kCmp = 8, kCnsMed = 14, kCbo = 29, kFlh = 35, kSeq = 38, kPa = 40, kCpf = 50,
  kCnsPac = 61, kNmPac = 76, kDtNasc = 106, kSexo = 114, kIbge = 115, kDtAten = 121,
  kCid = 129, kCaten = 133, kNaut = 135, kQtP = 148, kQtA = 154, kIdade = 160, kMvm = 163,
  kOrg = 169, kTpFin = 172, kRms = 173, kFlags = 177, kRaca = 184, kEtnia = 186,
  kNacio = 190, kSrv = 193, kCsf = 196, kEquipe = 199, kCnpj = 211, kCep = 225, kCdLogr = 233,
  kLogr = 236, kCpl = 266, kNum = 276, kBairro = 281, kDdd = 311, kTel = 313, kEmail = 322,
  kVlFed = 362, kVlLoc = 372, kVlInc = 382, kIncOut = 392, kIncUrg = 396, kRub = 400,
  kCpx = 406, kRc = 407, kChksm = 411, kIne = 417, kStrua = 427, kSemCpf = 428, kAdvSex = 429,
};

const char* const kFirstNames[] = {
    "MARIA", "JOSE", "ANA", "JOAO", "ANTONIO", "FRANCISCA", "CARLOS", "PAULO", "ADRIANA",
    "LUCAS", "JULIANA", "MARCOS", "PATRICIA", "PEDRO", "ALINE", "RAFAEL", "SANDRA", "LUIZ",
    "CAMILA", "BRUNO"};
const char* const kSurnames[] = {
    "SILVA", "SANTOS", "OLIVEIRA", "SOUZA", "RODRIGUES", "FERREIRA", "ALVES", "PEREIRA",
    "LIMA", "GOMES", "COSTA", "RIBEIRO", "MARTINS", "CARVALHO", "ALMEIDA", "LOPES", "SOARES",
    "FERNANDES", "VIEIRA", "BARBOSA", "ROCHA", "DIAS", "NASCIMENTO", "ANDRADE", "MOREIRA"};
const char* const kStreets[] = {"DAS FLORES", "SETE DE SETEMBRO", "PRINCIPAL", "SAO JOSE",
                                "DO COMERCIO", "BOA VISTA", "TIRADENTES", "XV DE NOVEMBRO"};
const char* const kDistricts[] = {"CENTRO", "JARDIM AMERICA", "VILA NOVA", "SANTA LUZIA",
                                  "BOM JESUS", "ALTO DA BOA VISTA"};
const char* const kOrigins[] = {"BPA", "ONL", "APC"};
const char* const kCompetences[] = {"202610", "202611", "202612"};

constexpr int kUnits = 300;
constexpr uint64_t kPatients = 300000;

template <size_t N>
const char* pick(const char* const (&pool)[N], uint64_t v) {
  return pool[v % N];
}

// A bijection of 32-bit values: rows get scattered but distinct keys.
uint32_t mix32(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

uint64_t hash64(uint64_t v) { return Rng(v * 0x2545F4914F6CDD1Dull + 17).Next(); }

void digits(char* d, int w, uint64_t v) {
  for (int k = w - 1; k >= 0; --k) {
    d[k] = static_cast<char>('0' + v % 10);
    v /= 10;
  }
}

void text(char* d, int w, const char* s) {
  size_t n = std::strlen(s);
  std::memcpy(d, s, n < static_cast<size_t>(w) ? n : static_cast<size_t>(w));
}

// Right-aligned number with `dec` decimals from a value scaled by 10^dec.
void number(char* d, int w, int64_t scaled, int dec) {
  char buf[24];
  int n = dec ? std::snprintf(buf, sizeof buf, "%lld.%02lld", static_cast<long long>(scaled / 100),
                              static_cast<long long>(scaled % 100))
              : std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(scaled));
  std::memcpy(d + w - n, buf, static_cast<size_t>(n));
}

// The key fields of a row follow from the scattered row number j.
struct KeyParts {
  uint32_t unit, competence, seq, sheet, professional;
};

KeyParts key_parts(uint64_t i) {
  uint32_t j = mix32(static_cast<uint32_t>(i));
  KeyParts k;
  k.unit = j % kUnits;
  j /= kUnits;
  k.competence = j % 3;
  j /= 3;
  k.seq = j % 20;
  j /= 20;
  k.sheet = j % 1000;
  k.professional = j / 1000;
  return k;
}

void fill_key(const KeyParts& k, char* rec) {
  rec[kUid] = '2';
  digits(rec + kUid + 1, 6, (k.unit * 7919u + 1234u) % 1000000u);
  text(rec + kCmp, 6, kCompetences[k.competence]);
  rec[kCnsMed] = '7';
  digits(rec + kCnsMed + 1, 14, (k.professional * 1000003ull + k.unit * 7ull) % 100000000000000ull);
  rec[kCbo] = '2';
  digits(rec + kCbo + 1, 5, hash64(k.professional % 20) % 100000);
  digits(rec + kFlh, 3, k.sheet);
  digits(rec + kSeq, 2, k.seq + 1);
}

}  // namespace

const std::vector<xbase::FieldDef>& bpi_fields() {
  static const std::vector<xbase::FieldDef> fields(std::begin(kLayout), std::end(kLayout));
  return fields;
}

const std::vector<int>& bpi_offsets() {
  static const std::vector<int> offsets = [] {
    std::vector<int> v;
    int at = 1;
    for (const xbase::FieldDef& f : kLayout) {
      v.push_back(at);
      at += f.width;
    }
    if (at != kBpiRecordLength || v[bpi_field("BPI_ADVSEX")] != kAdvSex) {
      std::fprintf(stderr, "layout S_BPI inconsistente\n");
      std::abort();
    }
    return v;
  }();
  return offsets;
}

int bpi_field(const char* name) {
  for (size_t i = 0; i < std::size(kLayout); ++i)
    if (kLayout[i].name == name) return static_cast<int>(i);
  std::fprintf(stderr, "campo desconhecido: %s\n", name);
  std::abort();
}

void BpiRows::FillKey(uint64_t i, char* rec) { fill_key(key_parts(i), rec); }

std::string BpiRows::Key(uint64_t i) {
  char rec[kBpiRecordLength];
  FillKey(i, rec);
  return std::string(rec + kUid, kBpi01Length);
}

bool BpiRows::InScanCompetence(uint64_t i) { return key_parts(i).competence == 1; }

void BpiRows::Fill(uint64_t i, char* rec) {
  std::memset(rec, ' ', kBpiRecordLength);
  KeyParts k = key_parts(i);
  fill_key(k, rec);
  Rng rng(i);
  uint64_t patient = rng.Below(kPatients);
  uint64_t ph = hash64(patient);
  digits(rec + kPa, 10, 301010000 + hash64(rng.Below(500)) % 10000 * 10);
  if (rng.Below(4)) digits(rec + kCpf, 11, ph % 100000000000ull);
  rec[kCnsPac] = '8';
  digits(rec + kCnsPac + 1, 14, (patient * 3331 + 77) % 100000000000000ull);
  std::string name = std::string(pick(kFirstNames, ph)) + " " + pick(kSurnames, ph >> 8) + " " +
                     pick(kSurnames, ph >> 16);
  text(rec + kNmPac, 30, name.c_str());
  int year = 1930 + static_cast<int>(ph % 95);
  digits(rec + kDtNasc, 4, year);
  digits(rec + kDtNasc + 4, 2, 1 + (ph >> 24) % 12);
  digits(rec + kDtNasc + 6, 2, 1 + (ph >> 28) % 28);
  rec[kSexo] = ph & 1 ? 'M' : 'F';
  digits(rec + kIbge, 6, 350000 + (ph >> 32) % 700);
  text(rec + kDtAten, 6, kCompetences[k.competence]);
  digits(rec + kDtAten + 6, 2, 1 + rng.Below(28));
  rec[kCid] = static_cast<char>('A' + rng.Below(26));
  digits(rec + kCid + 1, 3, rng.Below(1000));
  text(rec + kCaten, 2, rng.Below(10) ? "01" : "02");
  if (rng.Below(10) == 0) digits(rec + kNaut, 13, rng.Next() % 10000000000000ull);
  uint64_t qt = 1 + rng.Below(10);
  number(rec + kQtP, 6, static_cast<int64_t>(qt), 0);
  number(rec + kQtA, 6, static_cast<int64_t>(qt), 0);
  number(rec + kIdade, 3, 2026 - year, 0);
  text(rec + kMvm, 6, "202612");
  text(rec + kOrg, 3, pick(kOrigins, rng.Next()));
  rec[kTpFin] = '6';
  digits(rec + kRms, 4, 1 + rng.Below(40));
  std::memset(rec + kFlags, '0', 7);
  digits(rec + kRaca, 2, 1 + rng.Below(5));
  digits(rec + kNacio, 3, 10);
  digits(rec + kSrv, 3, 100 + rng.Below(80));
  digits(rec + kCsf, 3, 1 + rng.Below(9));
  if (rng.Below(3) == 0) digits(rec + kEquipe, 12, rng.Next() % 1000000000000ull);
  if (rng.Below(20) == 0) digits(rec + kCnpj, 14, rng.Next() % 100000000000000ull);
  digits(rec + kCep, 8, 13000000 + (ph >> 40) % 90000);
  digits(rec + kCdLogr, 3, 81);
  std::string street = std::string("RUA ") + pick(kStreets, ph >> 44);
  text(rec + kLogr, 30, street.c_str());
  if (rng.Below(5) == 0) text(rec + kCpl, 10, "APTO 12");
  digits(rec + kNum, 5, (ph >> 48) % 3000);
  text(rec + kBairro, 30, pick(kDistricts, ph >> 52));
  digits(rec + kDdd, 2, 11 + (ph >> 56) % 8);
  digits(rec + kTel, 9, 900000000 + ph % 100000000);
  if (rng.Below(8) == 0) text(rec + kEmail, 40, "PACIENTE@EXEMPLO.COM.BR");
  number(rec + kVlFed, 10, static_cast<int64_t>(qt * (150 + rng.Below(5000))), 2);
  number(rec + kVlLoc, 10, 0, 2);
  number(rec + kVlInc, 10, 0, 2);
  text(rec + kRub, 6, "000000");
  rec[kCpx] = static_cast<char>('1' + rng.Below(3));
  text(rec + kRc, 4, "0000");
  rec[kStrua] = 'N';
  rec[kSemCpf] = rec[kCpf] == ' ' ? 'S' : 'N';
}

}  // namespace kav::bench
