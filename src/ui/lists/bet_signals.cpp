#include "ui/lists/bet_signals.h"

#include <QAction>

#include "state/grid_columns.h"
#include "ui/platform/qt_text.h"
#include "ui/platform/view_settings.h"
#include "ui/status/notifier.h"

namespace korvex::ui {

namespace {

const QString kNotifyKey = QStringLiteral("signals/notify");

}  // namespace

QString betSignalText(const GridModel& journal, int row) {
  auto text = [&](SbxColumn col) { return fromCp1251(journal.text(col, row)); };
  return QStringLiteral("Bet signal: %1 %2 at %3, %4 % of %5")
      .arg(text(SbxColumn::Home), text(SbxColumn::Bet), text(SbxColumn::Odds),
           text(SbxColumn::Percent), text(SbxColumn::Sum));
}

BetSignals::BetSignals(GridModel& journal, QObject* parent)
    : QObject(parent),
      journal_(journal),
      switch_(new QAction(QStringLiteral("Notify me of bet signals"), this)) {
  switch_->setObjectName(QStringLiteral("notifySignals"));
  switch_->setCheckable(true);
  switch_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  switch_->setChecked(viewSettings().value(kNotifyKey, true).toBool());
  connect(switch_, &QAction::toggled, this,
          [](bool on) { viewSettings().setValue(kNotifyKey, on); });
  journal_.addObserver(this);
}

BetSignals::~BetSignals() {
  journal_.removeObserver(this);
}

void BetSignals::setNotifier(std::unique_ptr<Notifier> notifier) {
  notifier_ = std::move(notifier);
  notifierLookedUp_ = true;
}

void BetSignals::rowsInserted(int /*first*/, int count) {
  // The journal writes a new row's cells after inserting it at the top; the row is read
  // once the journal has finished with it.
  if (unannounced_ == 0)
    QMetaObject::invokeMethod(this, &BetSignals::announce, Qt::QueuedConnection);
  unannounced_ += count;
}

void BetSignals::announce() {
  const int rows = std::min(unannounced_, journal_.rowCount());
  unannounced_ = 0;
  if (rows == 0) return;
  count_ += rows;
  emit countChanged(count_);
  if (!switch_->isChecked()) return;
  if (!notifierLookedUp_) setNotifier(desktopNotifier());
  if (notifier_ == nullptr) return;
  // Oldest first, as they were journaled.
  for (int row = rows - 1; row >= 0; --row) notifier_->notify(betSignalText(journal_, row));
}

}  // namespace korvex::ui
