#include "ui/platform/qt_platform.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <QUrl>
#include <QWidget>

namespace korvex::ui {
namespace {

TEST(QtPlatformTest, AddressBytesAUrlCannotCarryArePercentEncoded) {
  // The update page's fragment is CP1251 "Скачать".
  const std::string address =
      "http://vendor.example/index.php?option=com_content&id=6#\xD1\xEA\xE0\xF7\xE0\xF2\xFC";
  const QByteArray encoded = encodeAddress(address);
  EXPECT_EQ(encoded,
            "http://vendor.example/index.php?option=com_content&id=6#%D1%EA%E0%F7%E0%F2%FC");
  const QUrl url = QUrl::fromEncoded(encoded);
  EXPECT_TRUE(url.isValid());
  EXPECT_EQ(url.host(), "vendor.example");
  EXPECT_EQ(encodeAddress("http://h/a b\r\n"), "http://h/a%20b%0D%0A");
}

TEST(QtPlatformTest, MessagesShowTheirLinesDecoded) {
  // Two lines joined by a lone CR, the second in CP1251.
  EXPECT_EQ(messageText("Update Programm from vendor.example\r\xCE\xE1\xED\xEE\xE2\xE8\xF2\xE5!"),
            QString::fromUtf8("Update Programm from vendor.example\nОбновите!"));
  EXPECT_EQ(messageText("a\r\nb"), "a\nb");
  EXPECT_EQ(messageText("Autorization Fail..."), "Autorization Fail...");
}

TEST(QtPlatformTest, AShortMessageStillLeavesRoomForTheWholeTitle) {
  QWidget window;
  window.show();
  QtPlatform platform(&window);
  bool closed = false;
  platform.showMessage("Autorization Fail...", [&] { closed = true; });
  auto* box = window.findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
  EXPECT_EQ(box->windowTitle(), "Korvex");
  EXPECT_GE(box->width(), kLeastMessageWidth);
  box->accept();
  EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace korvex::ui
