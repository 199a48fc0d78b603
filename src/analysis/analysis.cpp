#include "analysis/analysis.h"

#include <optional>
#include <string>

#include "analysis/forecast.h"
#include "analysis/player_cards.h"
#include "analysis/results.h"
#include "analysis/value_view.h"
#include "text/feed_text.h"

namespace korvex {

namespace {

// The line grid takes no input while an analysis runs, and takes it again however the
// analysis ends.
class LineGridDisabled {
 public:
  explicit LineGridDisabled(GridModel& RX) : RX_(RX) { RX_.setEnabled(false); }
  ~LineGridDisabled() { RX_.setEnabled(true); }
  LineGridDisabled(const LineGridDisabled&) = delete;
  LineGridDisabled& operator=(const LineGridDisabled&) = delete;

 private:
  GridModel& RX_;
};

// A failed request reads as an empty detail: the panel then shows the empty analysis, and
// says over it that this is no match's figures.
std::string fetchDetail(Context& ctx, const std::string& id) {
  const LoadingNote loading(ctx.form.status, "match " + id);
  const std::string address = ctx.addresses.service + "/kx/match.php?id=" + id;
  std::string answer;
  std::optional<FetchError> failure;
  try {
    runRequest(ctx, [&] { Fetch(ctx.IdHTTP1, address, answer); });
  } catch (const FetchError& error) {
    failure = error;
  }
  ctx.form.status.analysis.record(failure, localNow(ctx));
  ctx.form.analysis.failure =
      failure ? "Could not load match " + id + ": " + reasonForUser(*failure) : "";
  return answer;
}

// No exception may reach the window: an unexpected one just ends the analysis early.
template <typename Action>
void withoutEscapingErrors(Action&& action) noexcept {
  try {
    action();
  } catch (...) {
  }
}

}  // namespace

AnalysisTarget targetOfRow(const Form& form, const GridModel& grid, int row) {
  // The identifier is column 0 of every grid that opens a match.
  static_assert(columnIndex(RxColumn::Id) == 0 && columnIndex(RgColumn::Id) == 0 &&
                columnIndex(LgColumn::Id) == 0);
  AnalysisTarget target{.id = std::string(grid.text(RxColumn::Id, row))};
  if (&grid == &form.line.RX) {
    target.odds1 = grid.text(RxColumn::Odds1, row);
    target.odds2 = grid.text(RxColumn::Odds2, row);
  } else if (&grid == &form.live.LG) {
    target.odds1 = grid.text(LgColumn::Odds1, row);
    target.odds2 = grid.text(LgColumn::Odds2, row);
  }
  return target;
}

void AnalyseMatch(Context& ctx, const AnalysisTarget& target) {
  Form& form = ctx.form;
  ctx.platform.processPendingEvents();
  const LineGridDisabled lineGridDisabled(form.line.RX);
  ctx.platform.processPendingEvents();
  fillAnalysisFromAnswer(ctx, target, fetchDetail(ctx, target.id));
  ctx.platform.processPendingEvents();
}

void fillAnalysisFromAnswer(Context& ctx, const AnalysisTarget& target, std::string_view answer) {
  Form& form = ctx.form;
  for (GridModel* grid :
       {&form.analysis.LGrid1, &form.analysis.LGrid2, &form.analysis.HX, &form.analysis.MatchGrid,
        &form.analysis.LG1, &form.analysis.LG2, &form.analysis.LG3, &form.analysis.KFGrid,
        &form.analysis.ScGrid, &form.analysis.SG, &form.analysis.VG})
    grid->clear();
  prepareForecastGrids(form);

  const std::string_view stat = ExtractTag(answer, "stat");
  fillCardTexts(form, stat);
  loadCardPictures(ctx, stat);
  fillOddsBox(form.analysis.KFGrid, stat, target);
  fillMatchHeader(form.analysis.MatchGrid, stat);

  fillRecentResults(form.analysis.LGrid1, form.analysis.LG1, ExtractTag(stat, "Latest1"));
  fillPlayerCounts(form.analysis.SG, ExtractTag(stat, "stat1"), SgColumn::Win1);
  fillRecentResults(form.analysis.LGrid2, form.analysis.LG2, ExtractTag(stat, "Latest2"));
  fillHeadToHead(form.analysis.HX, form.analysis.LG3, ExtractTag(stat, "H2H"));
  fillPlayerCounts(form.analysis.SG, ExtractTag(stat, "stat2"), SgColumn::Win2);
  fillCombinedColumns(form.analysis.SG);
  fillSetScores(form.analysis.ScGrid, ExtractTag(stat, "scores"));
  fillForecastLabels(form, ExtractTag(stat, "forecast"));
  fillValueView(form.analysis);
}

void openLineMatch(Context& ctx, const AnalysisTarget& target) {
  withoutEscapingErrors([&] {
    ctx.platform.processPendingEvents();
    AnalyseMatch(ctx, target);
  });
}

void openMatchOnStats(Context& ctx, const AnalysisTarget& target) {
  withoutEscapingErrors([&] { AnalyseMatch(ctx, target); });
  ctx.form.activePage = PageStats;
}

void RXCellDblClick(Context& ctx, int /*col*/, int row) {
  openLineMatch(ctx, targetOfRow(ctx.form, ctx.form.line.RX, row));
}

void RGCellDblClick(Context& ctx, int /*col*/, int row) {
  openMatchOnStats(ctx, targetOfRow(ctx.form, ctx.form.line.RG, row));
}

void LGCellDblClick(Context& ctx, int /*col*/, int row) {
  openMatchOnStats(ctx, targetOfRow(ctx.form, ctx.form.live.LG, row));
}

}  // namespace korvex
