// The window as a frame on the desktop: where it opens and how big, and the keys that
// move between its parts.
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "ui/pages/stats_tab.h"
#include "ui/window/main_window.h"
#include "ui/window/window_geometry.h"

namespace korvex::ui {

namespace {

const QScreen* screenNamed(const QString& name) {
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->name() == name) return screen;
  return QGuiApplication::primaryScreen();
}

}  // namespace

// The last place, cut to the screen it was on (or the main one when that is gone); at
// first start 85 % of the screen. Until the log-in the user cannot resize the frame, so
// it holds that size; a window left maximised is maximised again once it may be resized.
void MainWindow::placeWindow() {
  const std::optional<WindowPlace> saved = savedWindowPlace();
  const QScreen* screen = screenNamed(saved ? saved->screen : QString());
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  const QRect frame = saved ? fittedGeometry(saved->normal, available) : firstGeometry(available);
  openMaximised_ = saved && saved->maximised;
  setFixedSize(frame.size());
  move(frame.topLeft());
  placed_ = true;
}

void MainWindow::fitFrameToScreen() {
  const QScreen* shownOn = screen();
  if (shownOn == nullptr || isMaximized()) return;
  const QRect frame = frameGeometry();
  const QRect fitted = fittedGeometry(frame, shownOn->availableGeometry());
  if (fitted == frame) return;
  const QSize client = size() - (frame.size() - fitted.size());
  if (!resizable_) setFixedSize(client);
  resize(client);
  move(fitted.topLeft());
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!std::exchange(framed_, true)) fitFrameToScreen();
}

void MainWindow::rememberPlaceSoon() {
  if (placed_ && isVisible()) placeTimer_->start();
}

void MainWindow::rememberPlace() {
  const QScreen* shownOn = screen();
  saveWindowPlace({shownOn ? shownOn->name() : QString(), normalGeometry(), isMaximized()});
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  rememberPlaceSoon();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  rememberPlaceSoon();
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) rememberPlaceSoon();
}

void MainWindow::bindKeyboard() {
  // Qt's own Ctrl+Tab walks every page, the hidden ones too; these skip them.
  const std::pair<QKeySequence, int> pageKeys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
  };
  for (const auto& [keys, step] : pageKeys) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, step = step] { turnPage(step); });
  }
  auto* refresh = new QShortcut(QKeySequence(Qt::Key_F5), this);
  refresh->setObjectName(QStringLiteral("refreshKey"));
  // Refresh is there to press once the log-in has shown its page.
  connect(refresh, &QShortcut::activated, this, [this] {
    if (session_->form().tabs[PageStats].visible) statsTab_->refresh();
  });
}

void MainWindow::turnPage(int step) {
  const int count = page_->count();
  int page = page_->currentIndex();
  for (int tried = 0; tried < count; ++tried) {
    page = (page + step + count) % count;
    if (page_->isTabVisible(page)) {
      page_->setCurrentIndex(page);
      return;
    }
  }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Enter on a focused button or box does what Space does: a window is no dialog, so
  // Qt leaves Enter to it.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (enter && plain) {
    if (auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        button && button->isEnabled() && button->isVisible()) {
      button->click();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

}  // namespace korvex::ui
