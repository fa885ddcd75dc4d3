#include "admin/users_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "store/array_file.h"
#include "temp_dir.h"

namespace kav {
namespace {

std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(FcriptoTest, EveryByteAtEveryParityComesBack) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  for (const std::string& text : {all, all.substr(1), std::string(300, '\xFF')}) {
    const std::string scrambled = FCRIPTO(text, "CRIPTO");
    ASSERT_EQ(scrambled.size(), text.size());
    EXPECT_NE(scrambled, text);
    EXPECT_EQ(FCRIPTO(scrambled, "DECRIPTO"), text);
  }
}

TEST(FcriptoTest, OddPositionsAddThreeEvenSevenAndWrap) {
  // "A" + 1 + 3, "B" + 2 + 7, "C" + 3 + 3; 0xFF + 1 + 3 wraps to 3.
  EXPECT_EQ(FCRIPTO("ABC", "CRIPTO"), "EKI");
  EXPECT_EQ(FCRIPTO("\xFF", "CRIPTO"), "\x03");
  EXPECT_EQ(FCRIPTO("\x03", "DECRIPTO"), "\xFF");
}

TEST(UsersFileTest, InitialFileHasItsSizeAndReadsBack) {
  TempDir dir;
  const std::string path = dir / kUsersFileName;
  ASSERT_TRUE(write_initial_users(path).ok());
  const std::string bytes = read_bytes(path);
  EXPECT_EQ(bytes.size(), 1153u);
  EXPECT_EQ(bytes.find("K     "), std::string::npos);  // nothing readable in clear
  UsersList users;
  ASSERT_TRUE(read_users_file(path, &users).ok());
  EXPECT_EQ(users, initial_users());
  ASSERT_EQ(users.size(), 14u);
  EXPECT_EQ(users[0].identification, "A         ");
  EXPECT_EQ(users[0].rights[6], "P");
  EXPECT_EQ(users[13].identification, "U14       ");
  EXPECT_EQ(users[13].rights[5], "P");
  EXPECT_EQ(users[13].rights[6], "N");
  EXPECT_EQ(users[13].password, "K     ");
}

TEST(UsersFileTest, DamagedFilesAreRefusedWhole) {
  TempDir dir;
  const std::string path = dir / kUsersFileName;
  UsersList users;
  EXPECT_TRUE(read_users_file(path, &users).is_not_found());

  ASSERT_TRUE(write_initial_users(path).ok());
  const std::string good = read_bytes(path);
  UsersList thirteen = initial_users();
  thirteen.pop_back();
  ASSERT_TRUE(write_users_file(dir / "13.DBI", thirteen).ok());
  UsersList wide = initial_users();
  wide[3].identification += "X";
  ASSERT_TRUE(write_users_file(dir / "wide.DBI", wide).ok());
  ArrayList short_entry;
  for (int i = 0; i < kUserCount; ++i) {
    short_entry.push_back(ArrayItem::List({ArrayItem::Text("K     "), ArrayItem::Text("A         ")}));
  }
  ASSERT_TRUE(SAVEARRAY(short_entry, dir / "eight.DBI").ok());

  const std::string cases[] = {
      good.substr(0, 600),            // cut short
      good.substr(0, good.size() - 1),
      read_bytes(dir / "13.DBI"),     // 13 entries
      read_bytes(dir / "wide.DBI"),   // an identification of 11
      read_bytes(dir / "eight.DBI"),  // entries of 2 texts
      "garbage that is no array file",
      "",
  };
  for (const std::string& bytes : cases) {
    write_bytes(path, bytes);
    users = initial_users();
    EXPECT_TRUE(read_users_file(path, &users).is_corrupt()) << bytes.size();
    EXPECT_TRUE(users.empty());
  }
}

}  // namespace
}  // namespace kav
