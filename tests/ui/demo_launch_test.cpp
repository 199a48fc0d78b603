#include "ui/platform/demo_launch.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QTest>

#include "main_window_fixture.h"
#include "support/service_context.h"
#include "ui/lists/grid_view.h"
#include "ui/window/main_window.h"

namespace korvex::ui {
namespace {

bool acceptsConnections(const std::string& base) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(std::stoi(base.substr(base.rfind(':') + 1))));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

int rowsOf(MainWindow& window, const char* grid) {
  const auto* view = window.findChild<GridView*>(QString::fromLatin1(grid));
  return view ? view->model()->rowCount() : -1;
}

TEST(DemoLaunchTest, LogsInToTheDemoShowsTheListsAndLeavesNothingBehind) {
  std::string base;
  std::filesystem::path folder;
  {
    DemoLaunch demo;
    const Result<void> started = demo.start(QStringLiteral(KORVEX_DEMO_PATH));
    ASSERT_TRUE(started) << started.reason();
    base = demo.base();
    folder = demo.workdir();
    QtRecordingPlatform platform;
    MainWindow window(demo.sessionConfig(), &platform);
    window.show();
    DemoLaunch::logIn(window);

    // The line, the live list and the radar all come from the demo service.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return rowsOf(window, "RX") > 0 && rowsOf(window, "LG") > 0; }, 20000));
    EXPECT_GT(rowsOf(window, "RB"), 0);
    EXPECT_EQ(platform.messages, std::vector<std::string>{});
    EXPECT_TRUE(acceptsConnections(base));
    // What the demo records is kept with its files, never in the user's history.
    ASSERT_NE(window.session().memory().store(), nullptr);
    EXPECT_EQ(window.session().memory().store()->file(), folder / "history.sqlite");
  }
  EXPECT_FALSE(acceptsConnections(base)) << "the service outlived its launcher";
  EXPECT_FALSE(std::filesystem::exists(folder)) << folder;
}

TEST(DemoLaunchTest, AProgramThatAnnouncesNoAddressIsReported) {
  DemoLaunch missing;
  EXPECT_FALSE(missing.start(QString()));
  DemoLaunch silent;
  const Result<void> started = silent.start(QStringLiteral("/bin/true"));
  ASSERT_FALSE(started);
  EXPECT_NE(started.reason().find("/bin/true"), std::string::npos) << started.reason();
}

}  // namespace
}  // namespace korvex::ui
