#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "support/recording_platform.h"
#include "support/temp_dir.h"
#include "support/test_server.h"
#include "ui/platform/qt_platform.h"
#include "ui/window/main_window.h"

namespace korvex::ui {

using test::Reply;

// Records what the window would show or open; the session's tasks are resumed by Qt's
// event loop, as in the real window.
class QtRecordingPlatform : public test::RecordingPlatform {
 public:
  void post(std::function<void()> work) override {
    QMetaObject::invokeMethod(qApp, std::move(work), Qt::QueuedConnection);
  }
};

constexpr const char* kMarker = "/refresh/korvex4.3.txt";

// Qt's model tester on every table of the window and the proxy in front of it, for as long
// as the window lives: each reload, insert at the top, sort and filter a test makes is
// checked against what views rely on, and a breach ends the test run.
inline void testModels(QWidget& window) {
  for (QAbstractItemView* view : window.findChildren<QAbstractItemView*>()) {
    QAbstractItemModel* shown = view->model();
    if (shown == nullptr) continue;
    new QAbstractItemModelTester(shown, QAbstractItemModelTester::FailureReportingMode::Fatal,
                                 view);
    if (const auto* proxy = qobject_cast<QAbstractProxyModel*>(shown))
      new QAbstractItemModelTester(proxy->sourceModel(),
                                   QAbstractItemModelTester::FailureReportingMode::Fatal, view);
  }
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override { server.route(kMarker, Reply{.body = "ok"}); }

  // The test waits as a user would, until what the window was asked to do is done.
  void settle() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window().session().busy(); }, 20000));
  }

  // Built on demand, so a test can prepare kx.log and the service first.
  MainWindow& window() {
    if (!window_) {
      const std::string base = server.base();
      window_ = std::make_unique<MainWindow>(
          SessionConfig{
              .addresses = {base, base, base}, .workdir = dir.path(), .historyFile = historyFile},
          &platform);
      testModels(*window_);
      window_->show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    return *window_;
  }

  template <typename T>
  T* find(const char* name) {
    T* widget = window().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QStringList visibleTabs() {
    auto* pages = find<QTabWidget>("Page");
    QStringList shown;
    for (int i = 0; i < pages->count(); ++i)
      if (pages->isTabVisible(i)) shown << pages->tabText(i);
    return shown;
  }

  // Key by key, as a keyboard with any layout would type it.
  static void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }

  void logIn(const QString& user, const QString& password) {
    type(find<QLineEdit>("loginedit"), user);
    type(find<QLineEdit>("passedit"), password);
    QTest::mouseClick(find<QPushButton>("spSkinXFormButton1"), Qt::LeftButton);
    settle();
  }

  test::TestServer server;
  test::TempDir dir;
  QtRecordingPlatform platform;
  // Where the window keeps its history; none keeps nothing.
  std::optional<std::filesystem::path> historyFile;

 private:
  std::unique_ptr<MainWindow> window_;
};

}  // namespace korvex::ui
