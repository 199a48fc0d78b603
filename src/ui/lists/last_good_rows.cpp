#include "ui/lists/last_good_rows.h"

#include <utility>

#include "ui/lists/grid_view.h"

namespace korvex::ui {

namespace {

// The status keeps seconds; the banner reads as a clock does.
QString minutesOf(const std::string& at) {
  return QString::fromStdString(at.substr(0, 5));
}

}  // namespace

QString staleBanner(const QString& title, const QString& at, const QString& reason,
                    const QString& goodAt, const QString& retry) {
  if (goodAt.isEmpty())
    return QStringLiteral("%1 could not be loaded at %2 (%3). %4").arg(title, at, reason, retry);
  return QStringLiteral("%1 could not be reloaded at %2 (%3); showing the rows of %4. %5")
      .arg(title, at, reason, goodAt, retry);
}

ListWatch::ListWatch(QString title, QString retry, const ListStatus& status,
                     std::vector<GridView*> views, Tell tell)
    : title_(std::move(title)),
      retry_(std::move(retry)),
      status_(status),
      views_(std::move(views)),
      tell_(std::move(tell)),
      seen_(status.attempts) {}

void ListWatch::follow() {
  if (status_.attempts == seen_) return;
  seen_ = status_.attempts;
  const QString at = minutesOf(status_.at);
  const bool asked = std::exchange(asked_, false);
  if (status_.ok) {
    for (GridView* view : views_) view->loadCompleted();
    const int rows = views_.empty() ? 0 : views_.front()->grid().rowCount();
    if (asked || failing_)
      tell_(
          QStringLiteral("%1 %2 at %3: %4 matches")
              .arg(title_, failing_ ? QStringLiteral("loaded again") : QStringLiteral("loaded"), at)
              .arg(rows),
          false);
    failing_ = false;
    goodAt_ = at;
    return;
  }
  const QString reason = QString::fromStdString(status_.error);
  for (GridView* view : views_) view->loadFailed(staleBanner(title_, at, reason, goodAt_, retry_));
  tell_(QStringLiteral("%1 could not be %2: %3")
            .arg(title_, goodAt_.isEmpty() ? QStringLiteral("loaded") : QStringLiteral("reloaded"),
                 reason),
        true);
  failing_ = true;
}

}  // namespace korvex::ui
