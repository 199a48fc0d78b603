#include "ui/status/status_bar.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <chrono>

#include "ui/platform/plain_text.h"
#include "ui/platform/qt_text.h"

namespace korvex::ui {

namespace {

constexpr const char* kListNames[] = {"Line", "Radar", "Live list", "Analysis"};
constexpr const char* kObjectNames[] = {"statusLine", "statusRadar", "statusLive",
                                        "statusAnalysis"};
const QString kFailedStyle = QStringLiteral("color: #C00000;");
constexpr QSize kHistorySize(560, 320);

// A label that gives up its width before the window does: the bar never makes the window
// wider than the screen. Its whole text is its tooltip.
QLabel* shrinkingLabel(const char* name) {
  QLabel* label = plainLabel(new QLabel);
  label->setObjectName(QLatin1String(name));
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  return label;
}

void setText(QLabel* label, const QString& text) {
  if (label->text() == text) return;
  label->setText(text);
  label->setToolTip(plainToolTip(text));
}

// Set only on a change: a new style sheet polishes the label again, and this runs twice a
// second.
void setFailed(QLabel* label, bool failed) {
  const QString style = failed ? kFailedStyle : QString();
  if (label->styleSheet() != style) label->setStyleSheet(style);
}

}  // namespace

QString loadingText(const StatusPage& status) {
  if (status.loading.empty()) return {};
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                           std::chrono::steady_clock::now() - status.loadingSince)
                           .count();
  const QString what = fromCp1251(status.loading);
  // A phrase of its own starts with a capital; a list or a match is "Loading" it.
  const QString phrase = what.front().isUpper() ? what : QStringLiteral("Loading ") + what;
  return QStringLiteral("%1\u2026 %2 s").arg(phrase).arg(seconds);
}

QString listText(const char* name, const ListStatus& status) {
  if (status.at.empty()) return {};
  const QString at = QString::fromStdString(status.at);
  if (status.ok) return QStringLiteral("%1 %2").arg(QLatin1String(name), at);
  return QStringLiteral("%1: load failed at %2: %3")
      .arg(QLatin1String(name), at, QString::fromStdString(status.error));
}

QString outcomeLine(const Outcome& outcome) {
  return QStringLiteral("%1  %2").arg(QString::fromStdString(outcome.at), fromCp1251(outcome.text));
}

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent),
      loading_(shrinkingLabel("statusLoading")),
      outcome_(shrinkingLabel("statusOutcome")),
      signalCount_(plainLabel(new QLabel)) {
  setObjectName(QStringLiteral("StatusBar"));
  setToolTip(QStringLiteral("Click for the last outcomes"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 1, 6, 1);
  layout->addWidget(loading_, 2);
  layout->addWidget(outcome_, 3);
  signalCount_->setObjectName(QStringLiteral("statusSignals"));
  signalCount_->setStyleSheet(QStringLiteral("font-weight: bold;"));
  layout->addWidget(signalCount_);
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    lists_[i] = shrinkingLabel(kObjectNames[i]);
    layout->addWidget(lists_[i], 1);
  }
  outcomeTimer_.setSingleShot(true);
  outcomeTimer_.setInterval(kOutcomeShownMs);
  connect(&outcomeTimer_, &QTimer::timeout, outcome_, [this] { setText(outcome_, {}); });
}

void StatusBar::showSignalCount(int count) {
  signalCount_->setText(QStringLiteral("Bet signals: %1").arg(count));
}

void StatusBar::follow(const StatusPage& status) {
  status_ = &status;
  setText(loading_, loadingText(status));
  const ListStatus* outcomes[] = {&status.line, &status.radar, &status.live, &status.analysis};
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    setText(lists_[i], listText(kListNames[i], *outcomes[i]));
    setFailed(lists_[i], !outcomes[i]->ok);
  }
  if (status.told != shownTold_) {
    shownTold_ = status.told;
    if (!status.outcomes.empty()) showOutcome(status.outcomes.back());
  }
}

void StatusBar::showOutcome(const Outcome& outcome) {
  setText(outcome_, fromCp1251(outcome.text));
  setFailed(outcome_, outcome.failed);
  outcomeTimer_.start();
}

void StatusBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) showHistory();
  QWidget::mousePressEvent(event);
}

void StatusBar::showHistory() {
  // A popup closes by itself on a click elsewhere or Esc, and runs no loop of its own.
  auto* popup = new QWidget(this, Qt::Popup);
  popup->setObjectName(QStringLiteral("statusHistory"));
  popup->setAttribute(Qt::WA_DeleteOnClose);
  auto* list = new QListWidget(popup);
  list->setObjectName(QStringLiteral("statusHistoryList"));
  if (status_ == nullptr || status_->outcomes.empty()) {
    list->addItem(QStringLiteral("Nothing has been told yet."));
  } else {
    for (auto outcome = status_->outcomes.rbegin(); outcome != status_->outcomes.rend();
         ++outcome) {
      auto* item = new QListWidgetItem(outcomeLine(*outcome), list);
      if (outcome->failed) item->setForeground(QColor(0xC0, 0, 0));
    }
  }
  auto* layout = new QVBoxLayout(popup);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(list);
  const QSize size(std::min(kHistorySize.width(), window()->width()), kHistorySize.height());
  popup->resize(size);
  popup->move(mapToGlobal(QPoint(0, -size.height())));
  popup->show();
  list->setFocus();
}

}  // namespace korvex::ui
