// The desktop entry of the program: written once, with the program, the
// folder and the icon; an existing one is left alone.
#include "platform/desktop_shortcut.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/replacing_file.h"
#include "temp_dir.h"

namespace kav {
namespace {

TEST(DesktopShortcut, WritesAnEntryOnceAndLeavesAnExistingOne) {
  TempDir desktop;
  ASSERT_TRUE(create_desktop_shortcut(desktop.path(), "/opt/kav $1/kav32", "/srv/kav").ok());
  std::string entry;
  ASSERT_TRUE(read_file(desktop / kShortcutFile, &entry).ok());
  EXPECT_NE(entry.find("[Desktop Entry]\nType=Application\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("Exec=\"/opt/kav \\\\$1/kav32\"\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("Path=/srv/kav\nIcon=/srv/kav/KAV.ico\nTerminal=true\n"), std::string::npos);
  struct stat st;
  ASSERT_EQ(::stat((desktop / kShortcutFile).c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);

  ASSERT_TRUE(replace_file_contents(desktop / kShortcutFile, "mine").ok());
  ASSERT_TRUE(create_desktop_shortcut(desktop.path(), "/other/kav32", "/other").ok());
  ASSERT_TRUE(read_file(desktop / kShortcutFile, &entry).ok());
  EXPECT_EQ(entry, "mine");
}

TEST(DesktopShortcut, MissingDesktopIsAnError) {
  TempDir dir;
  EXPECT_FALSE(create_desktop_shortcut(dir / "none", "/k/kav32", "/k").ok());
  EXPECT_FALSE(create_desktop_shortcut("", "/k/kav32", "/k").ok());
}

TEST(DesktopShortcut, FolderFromUserDirs) {
  TempDir home;
  ASSERT_EQ(::mkdir((home / ".config").c_str(), 0755), 0);
  ASSERT_TRUE(replace_file_contents(home / ".config/user-dirs.dirs",
                                    "# comment\nXDG_DESKTOP_DIR=\"$HOME/Área\"\n").ok());
  ::unsetenv("XDG_DESKTOP_DIR");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", home.path().c_str(), 1);
  EXPECT_EQ(desktop_folder(), home / "Área");
  ::setenv("XDG_DESKTOP_DIR", "/d", 1);
  EXPECT_EQ(desktop_folder(), "/d");
}

}  // namespace
}  // namespace kav
