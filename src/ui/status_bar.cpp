#include "ui/status_bar.h"

#include <QHBoxLayout>
#include <chrono>

#include "ui/plain_text.h"

namespace korvex::ui {

namespace {

constexpr const char* kListNames[] = {"Line", "Radar", "Live list", "Analysis"};
constexpr const char* kObjectNames[] = {"statusLine", "statusRadar", "statusLive",
                                        "statusAnalysis"};

}  // namespace

QString loadingText(const StatusPage& status) {
  if (status.loading.empty()) return {};
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                           std::chrono::steady_clock::now() - status.loadingSince)
                           .count();
  return QStringLiteral("Loading %1\u2026 %2 s")
      .arg(QString::fromStdString(status.loading))
      .arg(seconds);
}

QString listText(const char* name, const ListStatus& status) {
  if (status.at.empty()) return {};
  const QString at = QString::fromStdString(status.at);
  if (status.ok) return QStringLiteral("%1 %2").arg(QLatin1String(name), at);
  return QStringLiteral("%1: load failed at %2: %3")
      .arg(QLatin1String(name), at, QString::fromStdString(status.error));
}

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent), loading_(plainLabel(new QLabel)), signalCount_(plainLabel(new QLabel)) {
  setObjectName(QStringLiteral("StatusBar"));
  loading_->setObjectName(QStringLiteral("statusLoading"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 1, 6, 1);
  layout->addWidget(loading_, 1);
  signalCount_->setObjectName(QStringLiteral("statusSignals"));
  signalCount_->setStyleSheet(QStringLiteral("font-weight: bold;"));
  layout->addWidget(signalCount_);
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    lists_[i] = plainLabel(new QLabel);
    lists_[i]->setObjectName(QLatin1String(kObjectNames[i]));
    layout->addWidget(lists_[i]);
  }
}

void StatusBar::showSignalCount(int count) {
  signalCount_->setText(QStringLiteral("Bet signals: %1").arg(count));
}

void StatusBar::follow(const StatusPage& status) {
  loading_->setText(loadingText(status));
  const ListStatus* outcomes[] = {&status.line, &status.radar, &status.live, &status.analysis};
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    lists_[i]->setText(listText(kListNames[i], *outcomes[i]));
    // Set only on a change: a new style sheet polishes the label again, and this runs
    // twice a second.
    const QString style = outcomes[i]->ok ? QString() : QStringLiteral("color: #C00000;");
    if (lists_[i]->styleSheet() != style) lists_[i]->setStyleSheet(style);
  }
}

}  // namespace korvex::ui
