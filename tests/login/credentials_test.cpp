#include "login/credentials.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/temp_dir.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

// "Иван Петров" and a password with blanks and "пароль", in CP1251.
const std::string kCyrillicLogin = "\xC8\xE2\xE0\xED \xCF\xE5\xF2\xF0\xEE\xE2";
const std::string kPasswordWithBlanks = " pa ss \xEF\xE0\xF0\xEE\xEB\xFC ";

TEST(Credentials, SavedFileHoldsBothLinesWithCrLfAndOnlyTheOwnerMayReadIt) {
  TempDir dir;
  writeFile(dir / "kx.log", "old\r\nold\r\n");
  fs::permissions(dir / "kx.log", fs::perms(0644));
  Form form;
  form.CurrentLogin = kCyrillicLogin;
  form.CurrentPassword = kPasswordWithBlanks;

  EXPECT_TRUE(SaveCredentials(form, dir.path()));

  EXPECT_EQ(readFile(dir / "kx.log"), kCyrillicLogin + "\r\n" + kPasswordWithBlanks + "\r\n");
  EXPECT_EQ(fs::status(dir / "kx.log").permissions() & fs::perms::all, fs::perms(0600));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
      << "no temporary file may stay behind";

  Form next;
  LoadCredentials(next, dir.path());
  EXPECT_TRUE(next.about.zap);
  EXPECT_EQ(next.about.loginedit, kCyrillicLogin);
  EXPECT_EQ(next.about.passedit, kPasswordWithBlanks);
}

TEST(Credentials, SplitKeepsEmptyLinesAndALastLineWithoutEnding) {
  EXPECT_EQ(splitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(splitLines("\n\rx"), (std::vector<std::string>{"", "", "x"}));
  EXPECT_TRUE(splitLines("").empty());
}

// Every line ending reads the same, and short or junk files fill what they can.
TEST(Credentials, AFileFillsWhatItHolds) {
  struct Case {
    std::string bytes, login, password;
  };
  for (const Case& c :
       {Case{"demo\r\nse cret\r\n", "demo", "se cret"}, Case{"demo\nse cret\n", "demo", "se cret"},
        Case{"demo\rse cret\r", "demo", "se cret"}, Case{"", "", ""},
        Case{"only-login", "only-login", ""},
        Case{std::string("\0\x01\xFF\r\x80\x81\n\x02", 8), std::string("\0\x01\xFF", 3),
             "\x80\x81"}}) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    TempDir dir;
    writeFile(dir / "kx.log", c.bytes);
    Form form;
    LoadCredentials(form, dir.path());
    EXPECT_TRUE(form.about.zap) << "an existing file means the user chose to be remembered";
    EXPECT_EQ(form.about.loginedit, c.login);
    EXPECT_EQ(form.about.passedit, c.password);
  }
}

TEST(Credentials, NoFileLeavesTheFieldsEmptyAndTheBoxUnchecked) {
  TempDir dir;
  Form form;
  LoadCredentials(form, dir.path());
  EXPECT_FALSE(form.about.zap);
  EXPECT_EQ(form.about.loginedit, "");
  EXPECT_EQ(form.about.passedit, "");
}

TEST(Credentials, ADirectoryNamedKxLogIsNeitherReadNorReplacedNorRemoved) {
  TempDir dir;
  fs::create_directory(dir / "kx.log");
  Form form;
  LoadCredentials(form, dir.path());
  EXPECT_FALSE(form.about.zap);

  form.CurrentLogin = "demo";
  const Result<void> saved = SaveCredentials(form, dir.path());
  ASSERT_FALSE(saved) << "saving over a directory must fail";
  EXPECT_NE(saved.reason().find("kx.log"), std::string::npos) << saved.reason();
  forgetCredentials(dir.path());
  EXPECT_TRUE(fs::is_directory(dir / "kx.log"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Credentials, ForgettingRemovesTheFileAndAMissingFileIsFine) {
  TempDir dir;
  writeFile(dir / "kx.log", "a\r\nb\r\n");
  forgetCredentials(dir.path());
  EXPECT_FALSE(fs::exists(dir / "kx.log"));
  forgetCredentials(dir.path());
  EXPECT_FALSE(fs::exists(dir / "kx.log"));
}

}  // namespace
}  // namespace korvex
