#include "ui/platform/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "history/history_store.h"
#include "support/temp_dir.h"

namespace korvex::ui {
namespace {

namespace fs = std::filesystem;

// Each test sets HOME and XDG_DATA_HOME as it needs; the process gets them back after.
class DataFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    for (auto& [name, value] : saved_)
      if (const char* current = std::getenv(name)) value = current;
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_)
      value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }

  static void set(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }

  // The folder found, or the reason it was not, so a comparison shows either.
  static fs::path shown(const Result<fs::path>& folder) {
    return folder ? *folder : fs::path("failed: " + folder.reason());
  }

  static unsigned modeOf(const fs::path& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
  }

  test::TempDir dir;

 private:
  std::pair<const char*, std::optional<std::string>> saved_[2] = {{"HOME", {}},
                                                                  {"XDG_DATA_HOME", {}}};
};

TEST_F(DataFolderTest, XdgDataHomeIsUsedAndEveryFolderMadeOnTheWayIsPrivate) {
  set("XDG_DATA_HOME", (dir / "data/share").string());
  const auto folder = userDataFolder();
  ASSERT_TRUE(folder) << folder.reason();
  EXPECT_EQ(*folder, dir / "data/share/korvex");
  EXPECT_EQ(modeOf(*folder), 0700u);
  EXPECT_EQ(modeOf(dir / "data"), 0700u);
}

TEST_F(DataFolderTest, TheHistoryIsKeptInTheDataFolderReadableByTheUserAlone) {
  set("XDG_DATA_HOME", (dir / "share").string());
  const auto file = userHistoryFile();
  ASSERT_TRUE(file) << file.reason();
  EXPECT_EQ(*file, dir / "share/korvex/history.sqlite");
  EXPECT_EQ(modeOf(file->parent_path()), 0700u);
  ASSERT_NE(history::HistoryStore::open(*file, history::Stamp{}).store, nullptr);
  EXPECT_EQ(modeOf(*file), 0600u);

  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  const auto nowhere = userHistoryFile();
  ASSERT_FALSE(nowhere);
  EXPECT_FALSE(nowhere.reason().empty());
}

TEST_F(DataFolderTest, WithoutAnAbsoluteXdgDataHomeTheHomeFolderIsUsed) {
  set("HOME", dir.path().string());
  for (const char* xdg : {"", "relative/share"}) {
    set("XDG_DATA_HOME", xdg);
    EXPECT_EQ(shown(userDataFolder()), dir / ".local/share/korvex") << xdg;
  }
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(shown(userDataFolder()), dir / ".local/share/korvex");
  EXPECT_EQ(modeOf(dir / ".local/share/korvex"), 0700u);
  EXPECT_EQ(modeOf(dir / ".local"), 0700u);
}

TEST_F(DataFolderTest, AFolderThatExistsKeepsItsModeAndItsFiles) {
  fs::create_directory(dir / "korvex");
  chmod((dir / "korvex").c_str(), 0750);
  test::writeFile(dir / "korvex/kx.log", "demo\r\ndemo\r\n");
  set("XDG_DATA_HOME", dir.path().string());
  EXPECT_EQ(shown(userDataFolder()), dir / "korvex");
  EXPECT_EQ(modeOf(dir / "korvex"), 0750u);
  EXPECT_EQ(test::readFile(dir / "korvex/kx.log"), "demo\r\ndemo\r\n");
}

TEST_F(DataFolderTest, WhatCannotBeAFolderIsReportedNotUsed) {
  test::writeFile(dir / "korvex", "a file where the folder belongs");
  test::writeFile(dir / "plain", "");
  for (const fs::path& home : {dir.path(), dir / "plain/share"}) {
    set("XDG_DATA_HOME", home.string());
    const auto refused = userDataFolder();
    ASSERT_FALSE(refused) << home;
    EXPECT_NE(refused.reason().find(dir.path().string()), std::string::npos) << refused.reason();
  }
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  const auto homeless = userDataFolder();
  ASSERT_FALSE(homeless);
  EXPECT_NE(homeless.reason().find("HOME"), std::string::npos) << homeless.reason();
}

}  // namespace
}  // namespace korvex::ui
