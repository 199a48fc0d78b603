#include <QPushButton>

#include "ui/last_good_rows.h"
#include "ui/main_window.h"

namespace korvex::ui {

// The live list's exchange figures are those of the last radar load; this brings them up
// to date without waiting for a new log-in.
QWidget* MainWindow::reloadExchangeButton() {
  auto* reload = new QPushButton(QStringLiteral("Reload exchange figures"));
  reload->setObjectName(QStringLiteral("reloadExchange"));
  connect(reload, &QPushButton::clicked, this, [this] {
    radarWatch_->userAsked();
    liveWatch_->userAsked();
    runHandler([this] { session_->reloadExchange(); });
  });
  return reload;
}

}  // namespace korvex::ui
