#include "ui/lists/exchange_page.h"

#include <QKeySequence>
#include <utility>

#include "radar/radar_action.h"
#include "state/grid_columns.h"
#include "ui/lists/grid_view.h"

namespace korvex::ui {

namespace {

const QKeySequence kOpenKey(Qt::CTRL | Qt::Key_O);

}  // namespace

std::optional<std::string> exchangePageOfRadarRow(std::string_view exchangeBase,
                                                  const GridModel& radar, int row) {
  if (row < 0 || row >= radar.rowCount()) return std::nullopt;
  const std::string_view market = radar.text(RbColumn::Market, row);
  const std::string_view selection = radar.text(RbColumn::Selection1, row);
  if (market.empty() || selection.empty()) return std::nullopt;
  return runnerPageAddress(exchangeBase, market, selection);
}

std::optional<std::string> exchangePageOfMatch(std::string_view exchangeBase,
                                               const GridModel& radar, std::string_view id) {
  if (id.empty()) return std::nullopt;
  for (int row = radar.rowCount() - 1; row >= 0; --row)
    if (radar.text(RbColumn::Id, row) == id)
      return exchangePageOfRadarRow(exchangeBase, radar, row);
  return std::nullopt;
}

void offerExchangePage(GridView* view, std::string exchangeBase,
                       std::function<const GridModel&()> radar, Platform& platform) {
  // The radar's own rows (its last good ones too) carry their exchange page; any other list
  // finds its match there.
  auto address = [base = std::move(exchangeBase), radar = std::move(radar)](const GridModel& rows,
                                                                            int row) {
    if (rows.name() == radar().name()) return exchangePageOfRadarRow(base, rows, row);
    return exchangePageOfMatch(base, radar(), rows.idOf(row));
  };
  view->addRowAction(
      QStringLiteral("Open on the exchange"), kOpenKey,
      [address](const GridModel& rows, int row) { return address(rows, row).has_value(); },
      [address, &platform](const GridModel& rows, int row) {
        if (const auto page = address(rows, row)) platform.openUrl(*page);
      });
}

}  // namespace korvex::ui
