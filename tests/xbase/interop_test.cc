// Tables, memos and indexes checked against independent implementations:
// Debian's python3-dbf reads what we write and writes what we read; Perl's
// XBase::Index walks the NTX files we write; dbftool drives it all from the
// shell.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "xbase/table.h"

namespace kav::xbase {
namespace {

const std::string kScripts = std::string(KAV_SOURCE_DIR) + "/tests/xbase/interop/";
const std::string kDbftool = std::string(KAV_BIN_DIR) + "/dbftool";
// python3-dbf is installed for the system interpreter.
const std::string kPython = "/usr/bin/python3";

struct Result {
  int rc = -1;
  std::string out, err;
};

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

std::string hex(std::string_view s) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream s(text);
  for (std::string line; std::getline(s, line);) out.push_back(line);
  return out;
}

class InteropTest : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return dir_.file(name); }

  // Runs a command line in the scratch folder with `input` on its standard
  // input; collects both outputs and the exit status.
  Result Sh(const std::string& command, const std::string& input = "") const {
    write_file(file("stdin"), input);
    std::string line = "cd '" + dir_.path() + "' && " + command + " <stdin >stdout 2>stderr";
    Result r;
    int status = std::system(line.c_str());
    r.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = slurp(file("stdout"));
    r.err = slurp(file("stderr"));
    return r;
  }

  Result Dbftool(const std::string& args, const std::string& input = "") const {
    return Sh("'" + kDbftool + "' " + args, input);
  }

  // The index's entries as Perl's XBase::Index walks them: "hexkey\trecno".
  std::vector<std::string> PerlWalk(const std::string& ntx) const {
    Result r = Sh("perl '" + kScripts + "walk_ntx.pl' '" + ntx + "'");
    EXPECT_EQ(r.rc, 0) << r.err;
    return lines(r.out);
  }

  std::vector<std::string> PythonRead(const std::string& dbf) const {
    Result r = Sh(kPython + " '" + kScripts + "read_dbf.py' '" + dbf + "'");
    EXPECT_EQ(r.rc, 0) << r.err;
    return lines(r.out);
  }

  static std::unique_ptr<Table> Open(const std::string& path) {
    std::unique_ptr<Table> t;
    Status st = Table::Open(path, &t);
    EXPECT_TRUE(st.ok()) << st.message();
    return t;
  }

  static void Create(const std::string& path, const char* fields) {
    std::vector<FieldDef> defs;
    ASSERT_TRUE(parse_field_list(fields, &defs).ok());
    Status st = Table::Create(path, defs);
    ASSERT_TRUE(st.ok()) << st.message();
  }

  static void AppendRow(Table* t, const std::vector<std::string>& values) {
    ASSERT_TRUE(t->Append().ok());
    for (size_t i = 0; i < values.size(); ++i) {
      Status st = t->fields()[i].def.type == 'C' ? t->put_raw(static_cast<int>(i), values[i])
                                                 : t->put(static_cast<int>(i), values[i]);
      ASSERT_TRUE(st.ok()) << st.message();
    }
  }

  kav::TempDir dir_;
};

// Expected entries of an index: every (key, recno) in key then record order.
std::vector<std::string> sorted_entries(const std::vector<std::string>& keys) {
  std::vector<std::pair<std::string, uint32_t>> entries;
  for (size_t i = 0; i < keys.size(); ++i) entries.emplace_back(keys[i], i + 1);
  std::sort(entries.begin(), entries.end());
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(hex(e.first) + "\t" + std::to_string(e.second));
  return out;
}

// ---------------------------------------------------------------------------
// python3-dbf reads what we write

TEST_F(InteropTest, PythonReadsEveryFieldTypeAndMemo) {
  const std::string nul_code("A\0B\0\0C", 6);
  const std::string long_memo = std::string(1500, 'x') + "ÿ";
  Create(file("T.DBF"), "NOME C 12, COD C 6, QTD N 6 0, VL N 12 2, DT D, OK L, OBS M");
  {
    auto t = Open(file("T.DBF"));
    AppendRow(t.get(), {"José Ávila", nul_code, "-42", "1234.5", "20240229", "T", "rascunho"});
    AppendRow(t.get(), {"", "", "0", "-0.07", "", "F", long_memo});
    AppendRow(t.get(), {"apagado", "", "7", "0", "19991231", "T", ""});
    ASSERT_TRUE(t->Delete().ok());
    // A changed memo takes new blocks; the reader must follow the record.
    ASSERT_TRUE(t->GoTo(1).ok());
    ASSERT_TRUE(t->put(6, "primeira linha\r\nsegunda ção").ok());
    ASSERT_TRUE(t->Close().ok());
  }
  std::vector<std::string> want = {
      "records 3",
      "1\t" + hex("José Ávila  ") + "\t" + hex(nul_code) + "\t-42\t1234.5\t2024-02-29\tT\t" +
          hex("primeira linha\r\nsegunda ção"),
      "2\t" + hex(std::string(12, ' ')) + "\t" + hex("      ") + "\t0\t-0.07\tNone\tF\t" + hex(long_memo),
      "3*\t" + hex("apagado     ") + "\t" + hex("      ") + "\t7\t0.0\t1999-12-31\tT\t",
  };
  EXPECT_EQ(PythonRead("T.DBF"), want);
}

// ---------------------------------------------------------------------------
// We read what python3-dbf writes

TEST_F(InteropTest, WeReadWhatPythonWritesAndPythonReadsOurAppend) {
  Result made = Sh(kPython + " '" + kScripts + "write_dbf.py' P.DBF");
  ASSERT_EQ(made.rc, 0) << made.err;
  auto t = Open(file("P.DBF"));
  ASSERT_TRUE(t);
  EXPECT_EQ(t->version(), 0x83);
  EXPECT_EQ(t->record_count(), 3u);
  std::vector<std::string> layout;
  for (const Field& f : t->fields())
    layout.push_back(f.def.name + " " + f.def.type + std::to_string(f.def.width) + "." +
                     std::to_string(f.def.decimals));
  EXPECT_EQ(layout, (std::vector<std::string>{"NOME C12.0", "QTD N6.0", "VL N12.2", "DT D8.0",
                                              "OK L1.0", "OBS M10.0"}));
  struct Row {
    bool deleted;
    std::vector<std::string> raw;  // NOME QTD VL DT OK
    std::string memo;
  };
  const Row want[] = {
      {false, {"José Ávila  ", "   -42", "     1234.50", "20240229", "T"},
       "primeira linha\r\nsegunda ção"},
      {false, {std::string(12, ' '), "     0", "       -0.07", "        ", "F"}, std::string(1500, 'x')},
      {true, {"apagado     ", "     7", "        0.00", "19991231", "?"}, ""},
  };
  for (uint32_t r = 1; r <= 3; ++r) {
    SCOPED_TRACE("record " + std::to_string(r));
    ASSERT_TRUE(t->GoTo(r).ok());
    const Row& w = want[r - 1];
    EXPECT_EQ(t->deleted(), w.deleted);
    for (int f = 0; f < 5; ++f) EXPECT_EQ(t->raw(f), w.raw[static_cast<size_t>(f)]) << f;
    std::string memo;
    ASSERT_TRUE(t->memo(5, &memo).ok());
    EXPECT_EQ(memo, w.memo);
  }
  // Deleted records stay out of a walk.
  std::vector<uint32_t> seen;
  ASSERT_TRUE(t->GoTop().ok());
  while (!t->eof()) {
    seen.push_back(t->recno());
    ASSERT_TRUE(t->Skip().ok());
  }
  EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2}));

  AppendRow(t.get(), {"Ñandú", "5", "0.5", "20000101", "F", "nosso"});
  ASSERT_TRUE(t->Close().ok());
  std::vector<std::string> back = PythonRead("P.DBF");
  ASSERT_EQ(back.size(), 5u);
  EXPECT_EQ(back[0], "records 4");
  EXPECT_EQ(back[4], "4\t" + hex("Ñandú       ") + "\t5\t0.5\t2000-01-01\tF\t" + hex("nosso"));
}

// ---------------------------------------------------------------------------
// Perl XBase::Index walks the indexes we write

TEST_F(InteropTest, PerlWalksIndexesBuiltBySorting) {
  Create(file("K.DBF"), "K C 40, N N 6 0");
  std::mt19937 rng(7);
  std::vector<std::string> k_keys, compound_keys;
  {
    auto t = Open(file("K.DBF"));
    for (int i = 0; i < 3000; ++i) {
      std::string k;
      for (int c = 0; c < 4; ++c) k.push_back(static_cast<char>("AEIOUáé\x01"[rng() % 8]));
      int n = static_cast<int>(rng() % 1000);
      AppendRow(t.get(), {k, std::to_string(n)});
      k_keys.push_back(k + std::string(36, ' '));
      char z[7];
      std::snprintf(z, sizeof z, "%06d", n);
      compound_keys.push_back(k.substr(0, 2) + z);
    }
    ASSERT_TRUE(t->CreateIndex(file("K.NTX"), "K", false).ok());
    ASSERT_TRUE(t->CreateIndex(file("KN.NTX"), "SUBSTR(K,1,2)+STRZERO(N,6,0)", false).ok());
    ASSERT_TRUE(t->Close().ok());
  }
  EXPECT_EQ(PerlWalk("K.NTX"), sorted_entries(k_keys));
  EXPECT_EQ(PerlWalk("KN.NTX"), sorted_entries(compound_keys));
}

// Appends, key replacements, deletes and recalls on wide keys (eight to a
// page) split and merge many pages; the file must still walk in order.
TEST_F(InteropTest, PerlWalksIndexesAfterMaintenance) {
  Create(file("M.DBF"), "K C 100");
  ASSERT_EQ(Dbftool("index M.DBF M.NTX K").rc, 0);
  std::mt19937 rng(11);
  std::vector<std::string> keys;
  auto random_key = [&](char first) {
    std::string k(1, first);
    for (int c = 0; c < 3; ++c) k.push_back(static_cast<char>('a' + rng() % 26));
    return k + std::string(96, ' ');
  };
  {
    auto t = Open(file("M.DBF"));
    ASSERT_TRUE(t->AttachIndex(file("M.NTX")).ok());
    t->set_show_deleted(true);
    auto replace = [&](uint32_t r, const std::string& k) {
      ASSERT_TRUE(t->GoTo(r).ok());
      ASSERT_TRUE(t->put_raw(0, k).ok());
      keys[r - 1] = k;
    };
    for (int op = 0; op < 4000; ++op) {
      unsigned roll = rng() % 100;
      if (keys.size() < 50 || roll < 45) {
        keys.push_back(random_key(static_cast<char>('A' + rng() % 3)));
        AppendRow(t.get(), {keys.back()});
      } else if (roll < 85) {
        replace(1 + rng() % keys.size(), random_key(static_cast<char>('A' + rng() % 3)));
      } else {
        ASSERT_TRUE(t->GoTo(1 + rng() % keys.size()).ok());
        ASSERT_TRUE((roll < 95 ? t->Delete() : t->Recall()).ok());
      }
    }
    // Move most keys to the far end: the pages they leave must merge.
    for (uint32_t r = 1; r <= keys.size(); ++r)
      if (rng() % 5) replace(r, random_key('Z'));
    ASSERT_TRUE(t->Close().ok());
  }
  EXPECT_EQ(PerlWalk("M.NTX"), sorted_entries(keys));
  Result check = Dbftool("check M.DBF M.NTX");
  EXPECT_EQ(check.rc, 0) << check.err;
}

// Engine faults found against the readers above, each in its smallest form.

// A unique index holds the key of the first record that had it when the key
// went in, as Clipper keeps it: when that record takes another key, the old
// key is gone until the index is rebuilt, which finds the next record.
TEST_F(InteropTest, UniqueIndexKeepsTheFirstKeyUntilRebuilt) {
  Create(file("U.DBF"), "K C 2");
  auto t = Open(file("U.DBF"));
  AppendRow(t.get(), {"AA"});
  AppendRow(t.get(), {"AA"});
  ASSERT_TRUE(t->CreateIndex(file("U.NTX"), "K", true).ok());
  ASSERT_TRUE(t->AttachIndex(file("U.NTX")).ok());
  ASSERT_TRUE(t->SetOrder(1).ok());
  ASSERT_TRUE(t->GoTo(1).ok());
  ASSERT_TRUE(t->put_raw(0, "BB").ok());
  ASSERT_TRUE(t->Seek("AA").ok());
  EXPECT_FALSE(t->found());
  ASSERT_TRUE(t->CreateIndex(file("U.NTX"), "K", true).ok());
  ASSERT_TRUE(t->Seek("AA").ok());
  EXPECT_TRUE(t->found());
  EXPECT_EQ(t->recno(), 2u);
}

// Numeric keys are stored so that text order is value order; Perl decodes
// them back to the numbers, negatives and blanks (zero) included, built and
// maintained alike.
TEST_F(InteropTest, PerlDecodesNumericKeysInValueOrder) {
  Create(file("N.DBF"), "V N 7 2");
  auto t = Open(file("N.DBF"));
  for (const char* v : {"3", "-40", "12.5", "-4.05", "-4.5", "0.5", ""}) AppendRow(t.get(), {v});
  ASSERT_TRUE(t->CreateIndex(file("N.NTX"), "V", false).ok());
  ASSERT_TRUE(t->AttachIndex(file("N.NTX")).ok());
  AppendRow(t.get(), {"-0.01"});
  ASSERT_TRUE(t->GoTo(1).ok());
  ASSERT_TRUE(t->put(0, "-100.25").ok());
  ASSERT_TRUE(t->Close().ok());
  Result r = Sh("perl '" + kScripts + "walk_ntx.pl' N.NTX N");
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(lines(r.out), (std::vector<std::string>{"-100.25\t1", "-40\t2", "-4.5\t5", "-4.05\t4",
                                                    "-0.01\t8", "0\t7", "0.5\t6", "12.5\t3"}));
}

// ---------------------------------------------------------------------------
// dbftool from the shell

TEST_F(InteropTest, DbftoolAppendsAndDumpsBytesAsGiven) {
  ASSERT_EQ(Dbftool("create T.DBF 'NOME C 8, QTD N 5 1, DT D, OK L, OBS M'").rc, 0);
  const std::string nul(1, '\0');
  std::string rows = "Açaí" + nul + "x \t3.25\t20240131\tT\tlinha 1\\nlinha\\t2 \\\\fim\n"
                     "\t\t\t\t\n"
                     "  lead\t-2\n";
  Result app = Dbftool("append T.DBF", rows);
  ASSERT_EQ(app.rc, 0) << app.err;
  Result dump = Dbftool("dump T.DBF");
  EXPECT_EQ(dump.out, "1\tAçaí" + nul + "x\t3.3\t20240131\tT\tlinha 1\\nlinha\\t2 \\\\fim\n"
                          "2\t\t\t        \tF\t\n"
                          "3\t  lead\t-2.0\t        \tF\t\n");
  // Names are looked up ignoring case, as the operator may type them.
  EXPECT_EQ(Dbftool("dump t.dbf").out, dump.out);
  EXPECT_EQ(Dbftool("info T.DBF").out,
            "versao\t0x83\nregistros\t3\ntamanho\t33\n"
            "NOME\tC\t8\t0\nQTD\tN\t5\t1\nDT\tD\t8\t0\nOK\tL\t1\t0\nOBS\tM\t10\t0\n");
  // The escaped memo is real text for other readers.
  std::vector<std::string> py = PythonRead("T.DBF");
  ASSERT_EQ(py.size(), 4u);
  EXPECT_EQ(py[1].substr(py[1].rfind('\t') + 1), hex("linha 1\nlinha\t2 \\fim"));
}

TEST_F(InteropTest, DbftoolIndexSeekDeletePackAndCheck) {
  ASSERT_EQ(Dbftool("create T.DBF 'NOME C 10, QTD N 4 0'").rc, 0);
  ASSERT_EQ(Dbftool("append T.DBF", "PEDRO\t3\nANA\t12\nPAULO\t7\nANA\t1\n").rc, 0);
  ASSERT_EQ(Dbftool("index T.DBF NOME.NTX NOME").rc, 0);
  ASSERT_EQ(Dbftool("index T.DBF QTD.NTX QTD").rc, 0);
  EXPECT_EQ(Dbftool("dump T.DBF --index NOME.NTX").out,
            "2\tANA\t12\n4\tANA\t1\n3\tPAULO\t7\n1\tPEDRO\t3\n");

  struct Seek {
    const char* args;
    int rc;
    const char* out;
  } seeks[] = {
      {"NOME.NTX ANA", 0, "2\tANA\t12\n"},
      {"NOME.NTX PA", 0, "3\tPAULO\t7\n"},     // a key prefix
      {"NOME.NTX MARIA", 1, ""},
      {"NOME.NTX MARIA --soft", 0, "3\tPAULO\t7\n"},
      {"NOME.NTX ZECA --soft", 1, ""},
      {"QTD.NTX 7", 0, "3\tPAULO\t7\n"},       // typed number laid out as stored
  };
  for (const Seek& s : seeks) {
    Result r = Dbftool(std::string("seek T.DBF ") + s.args);
    EXPECT_EQ(r.rc, s.rc) << s.args << ": " << r.err;
    EXPECT_EQ(r.out, s.out) << s.args;
  }

  // Appending with one index of two leaves the other behind; check says so.
  ASSERT_EQ(Dbftool("append T.DBF QTD.NTX", "BIA\t9\n").rc, 0);
  Result stale = Dbftool("check T.DBF QTD.NTX NOME.NTX");
  EXPECT_EQ(stale.rc, 1);
  EXPECT_NE(stale.err.find("NOME.NTX"), std::string::npos) << stale.err;
  ASSERT_EQ(Dbftool("index T.DBF NOME.NTX NOME").rc, 0);
  EXPECT_EQ(Dbftool("check T.DBF QTD.NTX NOME.NTX").rc, 0);

  ASSERT_EQ(Dbftool("delete T.DBF 2").rc, 0);
  ASSERT_EQ(Dbftool("delete T.DBF 3").rc, 0);
  ASSERT_EQ(Dbftool("recall T.DBF 3").rc, 0);
  EXPECT_EQ(Dbftool("dump T.DBF").out, "1\tPEDRO\t3\n3\tPAULO\t7\n4\tANA\t1\n5\tBIA\t9\n");
  EXPECT_EQ(Dbftool("dump T.DBF --deleted --index NOME.NTX").out,
            "2*\tANA\t12\n4\tANA\t1\n5\tBIA\t9\n3\tPAULO\t7\n1\tPEDRO\t3\n");
  ASSERT_EQ(Dbftool("pack T.DBF NOME.NTX QTD.NTX").rc, 0);
  EXPECT_EQ(Dbftool("dump T.DBF --index QTD.NTX").out,
            "3\tANA\t1\n1\tPEDRO\t3\n2\tPAULO\t7\n4\tBIA\t9\n");
  EXPECT_EQ(Dbftool("check T.DBF NOME.NTX QTD.NTX").rc, 0);
  EXPECT_EQ(PerlWalk("NOME.NTX").size(), 4u);
}

TEST_F(InteropTest, DbftoolCheckFindsIndexProblems) {
  ASSERT_EQ(Dbftool("create T.DBF 'NOME C 6'").rc, 0);
  ASSERT_EQ(Dbftool("append T.DBF", "B\nA\nB\nC\n").rc, 0);
  ASSERT_EQ(Dbftool("index T.DBF ALL.NTX NOME").rc, 0);
  ASSERT_EQ(Dbftool("index T.DBF ONE.NTX NOME --unique").rc, 0);
  EXPECT_EQ(Dbftool("check T.DBF ALL.NTX ONE.NTX").rc, 0);
  EXPECT_EQ(PerlWalk("ONE.NTX"), (std::vector<std::string>{hex("A     ") + "\t2", hex("B     ") + "\t1",
                                                          hex("C     ") + "\t4"}));
  // An index of another table of the same layout: keys differ from records.
  ASSERT_EQ(Dbftool("create U.DBF 'NOME C 6'").rc, 0);
  ASSERT_EQ(Dbftool("append U.DBF", "B\nA\nX\nC\n").rc, 0);
  ASSERT_EQ(Dbftool("index U.DBF X.NTX NOME").rc, 0);
  Result wrong = Dbftool("check T.DBF X.NTX");
  EXPECT_EQ(wrong.rc, 1);
  EXPECT_NE(wrong.err.find("X.NTX"), std::string::npos) << wrong.err;
  // A damaged index: the root points past the end of the file.
  std::string ntx = slurp(file("ALL.NTX"));
  ntx[5] = 0x40;
  write_file(file("ALL.NTX"), ntx);
  Result damaged = Dbftool("check T.DBF ALL.NTX");
  EXPECT_EQ(damaged.rc, 1);
  EXPECT_NE(damaged.err.find("ALL.NTX"), std::string::npos) << damaged.err;
}

TEST_F(InteropTest, DbftoolErrorsGoToStderrWithNonZeroExit) {
  ASSERT_EQ(Dbftool("create T.DBF 'NOME C 4, QTD N 3 0'").rc, 0);
  ASSERT_EQ(Dbftool("append T.DBF", "A\t1\n").rc, 0);
  struct Case {
    std::string args, input;
  } cases[] = {
      {"frobnicate T.DBF", ""},
      {"create T.DBF 'NOME C 4'", ""},          // exists
      {"create Q.DBF 'NOME X 4'", ""},          // bad type
      {"info NADA.DBF", ""},
      {"append T.DBF", "B\t2\textra\n"},        // too many values
      {"append T.DBF", "B\t1234\n"},            // does not fit
      {"append T.DBF", "B\tdois\n"},
      {"delete T.DBF 9", ""},
      {"delete T.DBF x", ""},
      {"dump T.DBF --index NADA.NTX", ""},
      {"dump T.DBF --bogus", ""},
      {"seek T.DBF", ""},
      {"index T.DBF N.NTX 'NADA+NOME'", ""},
  };
  for (const Case& c : cases) {
    Result r = Dbftool(c.args, c.input);
    EXPECT_NE(r.rc, 0) << c.args;
    EXPECT_NE(r.err, "") << c.args;
    EXPECT_EQ(r.out, "") << c.args;
  }
  // Nothing above changed the table but the two bad appends, whose records
  // stay marked deleted.
  EXPECT_EQ(Dbftool("dump T.DBF").out, "1\tA\t1\n");
  EXPECT_EQ(Dbftool("dump T.DBF --deleted").out, "1\tA\t1\n2*\tB\t\n3*\tB\t\n");

  // A table held by another program is refused with the reason.
  auto held = Open(file("T.DBF"));
  Result busy = Dbftool("dump T.DBF");
  EXPECT_NE(busy.rc, 0);
  EXPECT_NE(busy.err.find("em uso"), std::string::npos) << busy.err;
}

}  // namespace
}  // namespace kav::xbase
