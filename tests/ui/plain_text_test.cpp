// Text from the service is shown as typed on every surface of the window: labels, tooltips,
// the status bar, message boxes and desktop notifications. The hostile names hold an image
// whose source is a FIFO: a surface that read them as markup would open it.
#include "ui/platform/plain_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QTextDocument>
#include <QToolTip>
#include <QXmlStreamReader>
#include <atomic>
#include <chrono>
#include <thread>

#include "main_window_fixture.h"
#include "state/grid_columns.h"
#include "ui/lists/grid_view.h"
#include "ui/status/notifier.h"
#include "ui/status/status_bar.h"

namespace korvex::ui {
namespace {

using namespace std::chrono_literals;

// A FIFO where the hostile text points an image. Opening it to read blocks until a writer
// comes, so whatever took the text for markup would hang the window's thread: a watchdog
// plays the writer as soon as a reader waits, which lets the test go on, and remembers it.
class FifoTrap {
 public:
  explicit FifoTrap(std::filesystem::path path) : path_(std::move(path)) {
    EXPECT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    watchdog_ = std::thread([this] {
      while (!stop_) {
        // Opening the write end without blocking succeeds only while a reader is there.
        const int writer = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
          opened_ = true;
          ::close(writer);
        }
        std::this_thread::sleep_for(50ms);
      }
    });
  }
  ~FifoTrap() {
    stop_ = true;
    watchdog_.join();
  }
  const std::filesystem::path& path() const { return path_; }
  bool opened() const { return opened_; }

 private:
  std::filesystem::path path_;
  std::atomic<bool> stop_ = false;
  std::atomic<bool> opened_ = false;
  std::thread watchdog_;
};

// What Qt shows for a tooltip: it reads it as rich text when it looks like markup.
QString tooltipShows(const QString& tooltip) {
  if (!Qt::mightBeRichText(tooltip)) return tooltip;
  QTextDocument shown;
  shown.setHtml(tooltip);
  return shown.toPlainText();
}

std::string hostileName(const FifoTrap& fifo) {
  return "Nadal <img src=\"" + fifo.path().string() +
         "\"> <a href=\"http://127.0.0.1/\">R.</a> <b>Bold</b> AT&amp;T";
}

TEST(PlainToolTip, ShowsMarkupAndEntitiesAsTyped) {
  for (const QString& text :
       {QStringLiteral("<b>Nadal</b>"), QStringLiteral("Spain. ATP. <img src=\"/x\">Nadal"),
        QStringLiteral("<a href=\"http://example.org/\">click</a>"), QStringLiteral("&lt;b&gt;"),
        QStringLiteral("<qt>two  blanks\nand a second line"), QStringLiteral("AT&amp;T")})
    EXPECT_EQ(tooltipShows(plainToolTip(text)), text) << text.toStdString();
  EXPECT_EQ(plainToolTip(QString()), "") << "no text brings up no tooltip";
}

TEST(NotificationBody, ReadsBackAsTypedWhereMarkupIsReadAndGoesAsItIsElsewhere) {
  const QString text = QStringLiteral("Bet signal: <b>Nadal</b> & <img src=\"/x\"> AT&amp;T >");
  const QString body = notificationBody(text, true);
  EXPECT_FALSE(body.contains(u'<'));
  QXmlStreamReader markup(QStringLiteral("<body>") + body + QStringLiteral("</body>"));
  ASSERT_TRUE(markup.readNextStartElement());
  EXPECT_EQ(markup.readElementText(), text);
  EXPECT_FALSE(markup.hasError()) << markup.errorString().toStdString();
  EXPECT_EQ(notificationBody(text, false), text);
}

TEST_F(MainWindowTest, ServiceTextInLabelsAndTooltipsIsShownAsTypedAndOpensNoFile) {
  const FifoTrap fifo(dir / "picture");
  const std::string name = hostileName(fifo);
  server.fallback([&](const test::RecordedRequest& request) {
    if (request.target.find("menu=line") != std::string::npos)
      return Reply{.body =
                       "<match><id>17</id><country>Spain</country><typeliga>ATP</typeliga>"
                       "<nameliga>" +
                       name + "</nameliga><home>" + name + "</home><away>Smith J.</away></match>"};
    if (request.target == "/kx/match.php?id=17")
      return Reply{.body = "<stat><bigname1>" + name + "</bigname1><country1>" + name +
                           "</country1><kf1>2.50</kf1><kf2>1.60</kf2></stat>"};
    return Reply{};
  });
  logIn("user", "pass");
  auto* line = find<GridView>("RX");
  ASSERT_EQ(line->model()->rowCount(), 1);
  const QPoint cell = line->visualRect(line->model()->index(0, 6)).center();
  QTest::mouseClick(line->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(line->viewport(), Qt::LeftButton, {}, cell);
  settle();

  const QString typed = QString::fromStdString(name);
  for (const char* card : {"Name1", "Country1"}) {
    auto* label = find<QLabel>(card);
    EXPECT_EQ(label->text(), typed) << card;
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << card;
  }
  window().grab();  // lays out and paints every label in sight

  QToolTip::hideText();
  const QPoint flag =
      line->visualRect(line->model()->index(0, columnIndex(RxColumn::Flag))).center();
  QHelpEvent hover(QEvent::ToolTip, flag, line->viewport()->mapToGlobal(flag));
  QCoreApplication::sendEvent(line->viewport(), &hover);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(tooltipShows(QToolTip::text()), "Spain. ATP. " + typed);
  QToolTip::hideText();

  EXPECT_FALSE(fifo.opened()) << "an image named in the service's text was loaded";
}

TEST(PlainSurfaces, TheStatusBarAndTheMessageBoxShowReasonsAsTyped) {
  test::TempDir dir;
  const FifoTrap fifo(dir / "picture");
  const std::string reason = hostileName(fifo);
  const QString typed = QString::fromStdString(reason);

  StatusBar bar;
  StatusPage status;
  status.analysis = {.ok = false, .error = reason, .at = "14:06:00"};
  bar.follow(status);
  bar.show();
  bar.grab();
  auto* analysis = bar.findChild<QLabel*>(QStringLiteral("statusAnalysis"));
  ASSERT_NE(analysis, nullptr);
  EXPECT_EQ(analysis->text(), "Analysis: load failed at 14:06:00: " + typed);
  EXPECT_EQ(analysis->textFormat(), Qt::PlainText);

  QWidget window;
  QtPlatform platform(&window);
  bool closed = false;
  platform.showMessage(reason, [&] { closed = true; });
  auto* box = window.findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(box));
  box->grab();
  EXPECT_EQ(box->text(), typed);
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
  box->accept();
  EXPECT_TRUE(closed);

  EXPECT_FALSE(fifo.opened()) << "an image named in a reason was loaded";
}

// The notification service as a desktop runs it, on a bus of the test's own.
class NotificationService : public QDBusVirtualObject {
 public:
  explicit NotificationService(QStringList capabilities) : capabilities_(std::move(capabilities)) {}

  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
    if (message.member() == "GetCapabilities") {
      bus.send(message.createReply(QVariant(capabilities_)));
    } else if (message.member() == "Notify") {
      bodies.push_back(message.arguments().value(4).toString());
      bus.send(message.createReply(QVariant(1u)));
    } else {
      return false;
    }
    return true;
  }

  std::vector<QString> bodies;

 private:
  QStringList capabilities_;
};

class DesktopNotification : public testing::Test {
 protected:
  void SetUp() override {
    // The desktop's own session bus set-up, listening in the test's folder.
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address=1"),
                  QString::fromStdString("--address=unix:dir=" + dir.path().string())});
    ASSERT_TRUE(daemon.waitForStarted(5000)) << "dbus-daemon is needed";
    ASSERT_TRUE(daemon.waitForReadyRead(5000));
    address = QString::fromUtf8(daemon.readLine().trimmed());
  }
  void TearDown() override {
    for (const QString& name : connections) QDBusConnection::disconnectFromBus(name);
    daemon.kill();
    daemon.waitForFinished(5000);
  }

  QDBusConnection connect(const QString& name) {
    connections << name;
    return QDBusConnection::connectToBus(address, name);
  }

  // The body the service received for one notification of `text`.
  QString bodyShownBy(NotificationService& service, const QString& text) {
    QDBusConnection serviceSide = connect(QStringLiteral("service"));
    EXPECT_TRUE(serviceSide.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"),
                                                  &service));
    EXPECT_TRUE(serviceSide.registerService(QStringLiteral("org.freedesktop.Notifications")));
    const std::unique_ptr<Notifier> notifier = desktopNotifier(connect(QStringLiteral("window")));
    if (notifier == nullptr) return QStringLiteral("(no notifier)");
    notifier->notify(text);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !service.bodies.empty(); }, 5000));
    return service.bodies.empty() ? QString() : service.bodies.front();
  }

  test::TempDir dir;
  QProcess daemon;
  QString address;
  QStringList connections;
  const QString text = QStringLiteral("Bet signal: <b>Nadal</b> <img src=\"/x\"> AT&amp;T Win1");
};

TEST_F(DesktopNotification, AServiceThatReadsMarkupGetsTheTextEscaped) {
  NotificationService service({QStringLiteral("body"), QStringLiteral("body-markup")});
  EXPECT_EQ(bodyShownBy(service, text),
            "Bet signal: &lt;b&gt;Nadal&lt;/b&gt; &lt;img src=\"/x\"&gt; AT&amp;amp;T Win1");
}

TEST_F(DesktopNotification, AServiceThatReadsNoMarkupGetsTheTextAsItIs) {
  NotificationService service({QStringLiteral("body")});
  EXPECT_EQ(bodyShownBy(service, text), text);
}

}  // namespace
}  // namespace korvex::ui
