// A remembered log-in file that is not one, and a working directory that cannot be
// written, seen through korvex-cli. Run as root, korvex-cli runs as nobody, because root
// would write through any permission.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "e2e/fault_fixture.h"
#include "text/cp1251.h"

namespace korvex::fault {
namespace {

using test::readFile;
using test::writeFile;
namespace fs = std::filesystem;

class FileFaultTest : public FaultTest {
 protected:
  void SetUp() override {
    FaultTest::SetUp();
    options.asNobodyWhenRoot = true;
  }

  // What the files look like to the user korvex-cli runs as.
  bool childCanWriteIn(const fs::path& dir) {
    return test::runProcess(
               "/bin/sh", {"-c", "echo x > \"$0/probe\" && rm \"$0/probe\"", dir.string()}, options)
               .exitCode == 0;
  }
  bool childCanRead(const fs::path& file) {
    return test::runProcess("/bin/cat", {file.string()}, options).exitCode == 0;
  }

  // The files as the test made them, owned by whoever korvex-cli runs as.
  void handOver() { test::giveToChild(workdir.path(), options); }
};

TEST_F(FileFaultTest, KxLogThatIsADirectory) {
  fs::create_directory(workdir / "kx.log");
  writeFile(workdir / "kx.log" / "inside", "kept");
  handOver();

  Json state = dump({});
  EXPECT_EQ(state["fields"], (Json{{"loginedit", ""}, {"passedit", ""}, {"zap", false}}));
  EXPECT_EQ(state["messages"], Json::array());

  state = dump(logIn("on"));
  EXPECT_EQ(state["messages"], Json::array({"Cannot create file \"kx.log\". Is a directory"}));
  EXPECT_EQ(state["active_page"], 0);
  EXPECT_EQ(state["timer_on"], false);
  EXPECT_EQ(state["globals"]["CurrentLogin"], kLogin);

  // Forgetting a log-in that was never a file is no error: the log-in goes on.
  state = dump(logIn("off"));
  EXPECT_EQ(state["messages"], Json::array());
  EXPECT_EQ(rows(state, "RX"), 3u);
  EXPECT_EQ(readFile(workdir / "kx.log" / "inside"), "kept");
  expectNoLeftovers();
}

TEST_F(FileFaultTest, KxLogOfBinaryJunkIsReadAndWrittenBackByteForByte) {
  std::string login, password;
  for (int byte = 0; byte < 256; ++byte)
    if (byte != '\r' && byte != '\n') login += static_cast<char>(byte);
  for (int byte = 255; byte >= 0; byte -= 3)
    if (byte != '\r' && byte != '\n') password += static_cast<char>(byte);
  std::string tail;
  for (int i = 0; i < 100'000; ++i) tail += static_cast<char>((i * 7919) % 256);
  writeFile(workdir / "kx.log", login + "\r" + password + "\n" + tail);
  handOver();
  // Any credentials are let in, whatever bytes they hold.
  server.route("/login/kx.php", Reply{.body = "Welcome"});

  const CliResult result = cli({"dump", "remember", "on", "login", "dump"});
  ASSERT_EQ(result.documents.size(), 2u);
  const Json& started = result.documents[0];
  EXPECT_EQ(started["fields"]["loginedit"], cp1251ToUtf8(login));
  EXPECT_EQ(started["fields"]["passedit"], cp1251ToUtf8(password));
  EXPECT_EQ(started["fields"]["zap"], true);

  const Json& state = result.documents[1];
  EXPECT_EQ(state["messages"], Json::array());
  EXPECT_EQ(state["active_page"], 1);
  EXPECT_EQ(readFile(workdir / "kx.log"), login + "\r\n" + password + "\r\n");
  // The bytes went out encoded: nothing in them could split the request line.
  const auto requests = server.requests();
  ASSERT_GE(requests.size(), 2u);
  EXPECT_EQ(requests[1].requestLine.find_first_of(std::string("\r\n\0 ", 4), 4),
            requests[1].requestLine.rfind(' '));
  expectNoLeftovers();
}

TEST_F(FileFaultTest, KxLogThatCannotBeRead) {
  writeFile(workdir / "kx.log", "old\r\nsecret\r\n");
  handOver();
  fs::permissions(workdir / "kx.log", fs::perms::none);
  ASSERT_FALSE(childCanRead(workdir / "kx.log")) << "the test needs a file korvex-cli cannot read";

  Json state = dump({});
  // There is a remembered log-in, but nothing of it can be shown.
  EXPECT_EQ(state["fields"], (Json{{"loginedit", ""}, {"passedit", ""}, {"zap", true}}));
  EXPECT_EQ(state["messages"], Json::array());

  state = dump({"type-login", kLogin, "type-password", kPassword, "login"});
  EXPECT_EQ(state["messages"], Json::array());
  EXPECT_EQ(rows(state, "RX"), 3u);
  fs::permissions(workdir / "kx.log", fs::perms::owner_read, fs::perm_options::add);
  EXPECT_EQ(readFile(workdir / "kx.log"), "u\r\np\r\n");
  expectNoLeftovers();
}

TEST_F(FileFaultTest, ReadOnlyWorkingDirectory) {
  const std::string picture = test::pngBytes(4, 4, {1, 2, 3});
  writeFile(workdir / "kx.log", "old\r\nsecret\r\n");
  writeFile(workdir / "1.jpg", picture);
  handOver();
  fs::permissions(workdir.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
  ASSERT_FALSE(childCanWriteIn(workdir.path()))
      << "the test needs a directory korvex-cli cannot write";

  // Remembering fails: the user is told, and nothing is loaded.
  Json state = dump({"type-login", kLogin, "type-password", kPassword, "login"});
  EXPECT_EQ(state["messages"], Json::array({"Cannot create file \"kx.log\". Permission denied"}));
  EXPECT_EQ(state["active_page"], 0);
  EXPECT_EQ(state["timer_on"], false);
  EXPECT_EQ(state["fields"]["zap"], true);
  EXPECT_EQ(readFile(workdir / "kx.log"), "old\r\nsecret\r\n");

  // Forgetting fails silently; the pictures cannot be stored, so the cards show what the
  // files already held.
  state = dump({"type-login", kLogin, "type-password", kPassword, "remember", "off", "login",
                "open", "RX", "0"});
  EXPECT_EQ(state["messages"], Json::array());
  EXPECT_EQ(rows(state, "RX"), 3u);
  EXPECT_EQ(state["labels"]["Name1"], "Alpha One");
  EXPECT_EQ(state["pictures"]["LOGO1"], (Json{{"source", "1.jpg"}, {"width", 4}, {"height", 4}}));
  EXPECT_EQ(state["pictures"]["LOGO2"]["source"], "placeholder");
  EXPECT_EQ(readFile(workdir / "1.jpg"), picture);
  EXPECT_FALSE(fs::exists(workdir / "2.jpg"));
  EXPECT_EQ(readFile(workdir / "kx.log"), "old\r\nsecret\r\n");
  expectNoLeftovers();
}

}  // namespace
}  // namespace korvex::fault
