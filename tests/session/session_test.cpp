#include "session/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/recording_platform.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::Reply;
using test::TempDir;
using test::TestServer;
using test::writeFile;

const char* const kMarker = "/refresh/korvex4.3.txt";
const char* const kVendor = "http://vendor.example:8080";

std::vector<bool> visibleTabs(const Form& form) {
  std::vector<bool> visible;
  for (const Tab& tab : form.tabs) visible.push_back(tab.visible);
  return visible;
}

class SessionTest : public testing::Test {
 protected:
  // The marker is there unless a test routes it otherwise; routes win over the fallback.
  void SetUp() override {
    server.fallback([](const test::RecordedRequest& request) {
      return request.target == kMarker ? Reply{.body = "4.3"} : Reply{.status = 404};
    });
  }

  Session& start() {
    SessionConfig config;
    config.addresses = {server.base(), server.base(), kVendor};
    config.workdir = dir.path();
    config.limits.connectTimeout = std::chrono::seconds(5);
    config.limits.stallTimeout = std::chrono::seconds(5);
    session = std::make_unique<Session>(platform, config);
    session->FormCreate();
    return *session;
  }

  // Types the credentials and clicks LOGIN.
  Form& logIn(const std::string& login, const std::string& password, bool remember) {
    Form& form = session ? session->form() : start().form();
    form.about.loginedit = login;
    form.about.passedit = password;
    form.about.zap = remember;
    session->spSkinXFormButton1Click();
    settle();
    return form;
  }

  // Turns the loop until the session's handlers have ended.
  void settle() {
    platform.runUntil([this] { return !session->busy(); });
  }
  void tick() {
    session->Timer1Timer();
    settle();
  }

  void answerLogIn(Reply reply) { server.route("/login/kx.php", std::move(reply)); }

  void expectLoggedOut(const Form& form) {
    EXPECT_EQ(visibleTabs(form), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(form.activePage, PageAbout);
    EXPECT_FALSE(form.timerOn);
    EXPECT_FALSE(form.sizeable);
  }

  void expectLoggedIn(const Form& form) {
    EXPECT_EQ(visibleTabs(form), (std::vector<bool>{false, true, true, false, false}));
    EXPECT_EQ(form.activePage, PageStats);
    EXPECT_TRUE(form.timerOn);
    EXPECT_TRUE(form.sizeable);
    EXPECT_FALSE(platform.closed);
  }

  TestServer server;
  TempDir dir;
  test::RecordingPlatform platform;
  std::unique_ptr<Session> session;
};

TEST_F(SessionTest, StartsOnTheAboutPageAloneWithTheRememberedLogIn) {
  Form& fresh = start().form();
  expectLoggedOut(fresh);
  EXPECT_EQ(fresh.LiveCountdown, 60);
  EXPECT_EQ(fresh.about.loginedit, "");
  EXPECT_FALSE(fresh.about.zap);

  writeFile(dir / "kx.log", "demo\r\nsecret\r\n");
  Form& remembered = start().form();
  EXPECT_EQ(remembered.about.loginedit, "demo");
  EXPECT_EQ(remembered.about.passedit, "secret");
  EXPECT_TRUE(remembered.about.zap);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(server.targets().empty()) << "start-up sends nothing";
}

TEST_F(SessionTest, MissingMarkerSendsTheUserToTheDownloadPageWithoutSendingCredentials) {
  server.route(kMarker, Reply{.status = 404});
  const Form& form = logIn("demo", "secret", true);

  // "Обновите программу с сайта!" after a lone CR.
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0],
            "Update Programm from vendor.example\r"
            "\xCE\xE1\xED\xEE\xE2\xE8\xF2\xE5 \xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xF3 \xF1 "
            "\xF1\xE0\xE9\xF2\xE0!");
  EXPECT_EQ(platform.openedUrls,
            (std::vector<std::string>{std::string(kVendor) +
                                      "/index.php?option=com_content&view=article&id=6&Itemid=9#"
                                      "\xD1\xEA\xE0\xF7\xE0\xF2\xFC"}));
  EXPECT_TRUE(platform.closed);
  EXPECT_EQ(server.targets(), std::vector<std::string>{kMarker});
  EXPECT_EQ(form.CurrentLogin, "") << "the credentials are not even read";
  EXPECT_FALSE(fs::exists(dir / "kx.log"));
}

TEST_F(SessionTest, MarkerAnsweringWithARedirectAdmitsThisVersion) {
  server.route(kMarker, Reply{.status = 302, .headers = {{"Location", "/elsewhere"}}});
  answerLogIn(Reply{.body = "ok"});
  expectLoggedIn(logIn("demo", "secret", false));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SessionTest, UnreachableServiceIsNotAnUpdateAndChangesNothing) {
  start();
  server.stop();
  const Form& form = logIn("demo", "secret", true);

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].rfind("Cannot reach the service.\n", 0), 0u)
      << platform.messages[0];
  EXPECT_GT(platform.messages[0].size(), std::string("Cannot reach the service.\n").size())
      << "the reason follows on the second line";
  EXPECT_TRUE(platform.openedUrls.empty());
  EXPECT_FALSE(platform.closed);
  expectLoggedOut(form);
  EXPECT_FALSE(fs::exists(dir / "kx.log"));
}

TEST_F(SessionTest, AnyAnswerHoldingUtorizationIsARejection) {
  for (const char* body :
       {"Autorization Fail", "<error>Reautorization needed</error>", "xutorization"}) {
    SCOPED_TRACE(body);
    platform.messages.clear();
    writeFile(dir / "kx.log", "old\r\nold\r\n");
    answerLogIn(Reply{.body = body});
    const Form& form = logIn("demo", "wrong", false);

    EXPECT_EQ(platform.messages, std::vector<std::string>{"Autorization Fail..."});
    expectLoggedOut(form);
    EXPECT_EQ(readFile(dir / "kx.log"), "old\r\nold\r\n") << "kx.log is not touched";
    EXPECT_EQ(form.CurrentLogin, "demo") << "the typed credentials stay in force";
    EXPECT_EQ(form.CurrentPassword, "wrong");
  }
}

TEST_F(SessionTest, EnglishSpellingAndAnEmptyAnswerBothAdmit) {
  for (const char* body : {"Authorization OK", ""}) {
    SCOPED_TRACE(body);
    session.reset();
    platform.messages.clear();
    answerLogIn(Reply{.body = body});
    expectLoggedIn(logIn("demo", "secret", false));
    EXPECT_TRUE(platform.messages.empty());
  }
}

TEST_F(SessionTest, FailedLogInRequestIsNotALogIn) {
  answerLogIn(Reply{.status = 500, .body = "Internal error"});
  const Form& form = logIn("demo", "secret", true);

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].rfind("Cannot reach the service.\n", 0), 0u);
  expectLoggedOut(form);
  EXPECT_FALSE(fs::exists(dir / "kx.log"));
}

TEST_F(SessionTest, LogInThatBreaksOffAfterPartOfTheAnswerIsNotALogIn) {
  answerLogIn(Reply{.body = "Welcome, your lists follow", .dropAfter = 7});
  expectLoggedOut(logIn("demo", "secret", true));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].rfind("Cannot reach the service.\n", 0), 0u);
}

TEST_F(SessionTest, RememberedLogInHoldsExactlyTheValuesUsed) {
  answerLogIn(Reply{.body = "ok"});
  writeFile(dir / "kx.log", "someone\r\nelse\r\nthird line\r\n");
  expectLoggedIn(logIn("demo", "se cret", true));
  EXPECT_EQ(readFile(dir / "kx.log"), "demo\r\nse cret\r\n");
  EXPECT_EQ(fs::status(dir / "kx.log").permissions() & fs::perms::all, fs::perms(0600));
}

TEST_F(SessionTest, UncheckedBoxForgetsTheRememberedLogIn) {
  answerLogIn(Reply{.body = "ok"});
  writeFile(dir / "kx.log", "demo\r\nsecret\r\n");
  start();
  expectLoggedIn(logIn("demo", "secret", false));
  EXPECT_FALSE(fs::exists(dir / "kx.log"));

  Form& next = start().form();
  EXPECT_FALSE(next.about.zap);
  EXPECT_EQ(next.about.loginedit, "");
}

TEST_F(SessionTest, EmptyCredentialsAreStillSent) {
  answerLogIn(Reply{.body = "ok"});
  logIn("", "", false);
  const std::vector<std::string> targets = server.targets();
  ASSERT_GE(targets.size(), 2u);
  EXPECT_EQ(targets[0], kMarker);
  EXPECT_EQ(targets[1], "/login/kx.php?login=&pass=");
}

TEST_F(SessionTest, CredentialsReachTheServiceExactlyAsTyped) {
  answerLogIn(Reply{.body = "ok"});
  // "Иван &=" and a password full of the characters a query gives a meaning to.
  const std::string login = "\xC8\xE2\xE0\xED &=";
  const std::string password = "p&ss#1%41+=~._-";
  expectLoggedIn(logIn(login, password, true));
  EXPECT_EQ(readFile(dir / "kx.log"), login + "\r\n" + password + "\r\n");

  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 5u) << "marker, log-in, line, radar, live";
  EXPECT_EQ(requests[1].target,
            "/login/kx.php?login=%C8%E2%E0%ED%20%26%3D&pass=p%26ss%231%2541%2B%3D~._-");
  for (std::size_t i = 1; i < requests.size(); ++i) {
    const auto values = requests[i].queryValues();
    EXPECT_EQ(values.at("login"), login) << requests[i].target;
    EXPECT_EQ(values.at("pass"), password) << requests[i].target;
    EXPECT_EQ(values.size(), i == 1 ? 2u : 3u) << requests[i].target;
  }
}

TEST_F(SessionTest, UnwritableKxLogStopsTheClickBeforeAnyLoad) {
  answerLogIn(Reply{.body = "ok"});
  // A directory in its place: unlike permissions, this stops root as well.
  fs::create_directory(dir / "kx.log");
  const Form& form = logIn("demo", "secret", true);

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].find("kx.log"), std::string::npos) << platform.messages[0];
  expectLoggedOut(form);
  EXPECT_EQ(server.targets(),
            (std::vector<std::string>{kMarker, "/login/kx.php?login=demo&pass=secret"}));
  EXPECT_EQ(form.CurrentLogin, "demo");
  EXPECT_EQ(form.CurrentPassword, "secret");
}

TEST_F(SessionTest, TimerCountsDownFromFiftyNineAndStartsAgainAfterTheReload) {
  answerLogIn(Reply{.body = "ok"});
  Form& form = logIn("demo", "secret", false);
  EXPECT_EQ(form.live.Livetime, "") << "nothing is shown before the first tick";
  EXPECT_EQ(form.LiveCountdown, 60) << "the log-in's own live load does not count";

  tick();
  EXPECT_EQ(form.live.Livetime, "Refresh from 59 sec.");
  EXPECT_EQ(form.LiveCountdown, 59);

  for (int count = 2; count < 60; ++count) tick();
  EXPECT_EQ(form.live.Livetime, "Refresh from 1 sec.");
  const auto liveLoads = [this] {
    const auto targets = server.targets();
    return std::count_if(targets.begin(), targets.end(),
                         [](const std::string& target) { return target.ends_with("menu=live"); });
  };
  const auto loadsBefore = liveLoads();
  bool zeroShownBeforeTheReload = false;
  platform.onLoopTurn = [&] {
    if (form.live.Livetime == "Refresh from 0 sec." && liveLoads() == loadsBefore)
      zeroShownBeforeTheReload = true;
  };
  tick();
  platform.onLoopTurn = nullptr;
  EXPECT_EQ(form.live.Livetime, "Refresh from 0 sec.") << "0 stays shown through the reload";
  EXPECT_EQ(form.LiveCountdown, 60);
  EXPECT_EQ(liveLoads(), loadsBefore + 1);
  EXPECT_TRUE(zeroShownBeforeTheReload) << "the window has a turn to paint the 0 first";

  tick();
  EXPECT_EQ(form.live.Livetime, "Refresh from 59 sec.");
}

// The window's timer goes on ticking while a tick waits for its reload; those ticks are
// neither counted again nor a second reload.
TEST_F(SessionTest, TicksThatComeWhileATickWaitsAreNotCountedTwice) {
  answerLogIn(Reply{.body = "ok"});
  Form& form = logIn("demo", "secret", false);
  int ticksWhileWaiting = 0;
  platform.onLoopTurn = [&] {
    ++ticksWhileWaiting;
    session->Timer1Timer();
  };
  for (int count = 1; count <= 61; ++count) tick();
  platform.onLoopTurn = nullptr;
  EXPECT_GT(ticksWhileWaiting, 61);
  EXPECT_EQ(form.live.Livetime, "Refresh from 59 sec.");
  EXPECT_EQ(form.LiveCountdown, 59);
  const auto targets = server.targets();
  EXPECT_EQ(
      std::count(targets.begin(), targets.end(), "/login/kx.php?login=demo&pass=secret&menu=live"),
      2)
      << "the log-in's load and one reload";
}

}  // namespace
}  // namespace korvex
