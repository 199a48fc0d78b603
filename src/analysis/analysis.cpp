#include "analysis/analysis.h"

#include <string>

#include "analysis/forecast.h"
#include "analysis/player_cards.h"
#include "analysis/results.h"
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

// A failed request reads as an empty detail: the panel then shows the empty analysis.
std::string fetchDetail(Context& ctx, const std::string& id) {
  std::string answer;
  try {
    Fetch(ctx.IdHTTP1, ctx.addresses.service + "/kx/match.php?id=" + id, answer);
  } catch (const FetchError&) {
  }
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

AnalysisTarget TargetOfRow(const Form& form, const GridModel& grid, int row) {
  AnalysisTarget target{.id = std::string(grid.text(0, row))};
  if (&grid == &form.RX) {
    target.odds1 = grid.text(8, row);
    target.odds2 = grid.text(9, row);
  } else if (&grid == &form.LG) {
    target.odds1 = grid.text(9, row);
    target.odds2 = grid.text(10, row);
  }
  return target;
}

void AnalyseMatch(Context& ctx, GridModel& grid, int row) {
  AnalyseMatch(ctx, TargetOfRow(ctx.form, grid, row));
}

void AnalyseMatch(Context& ctx, const AnalysisTarget& target) {
  Form& form = ctx.form;
  ctx.platform.processPendingEvents();
  const LineGridDisabled lineGridDisabled(form.RX);
  ctx.platform.processPendingEvents();
  fillAnalysisFromAnswer(ctx, target, fetchDetail(ctx, target.id));
  ctx.platform.processPendingEvents();
}

void fillAnalysisFromAnswer(Context& ctx, const AnalysisTarget& target, std::string_view answer) {
  Form& form = ctx.form;
  for (GridModel* grid : {&form.LGrid1, &form.LGrid2, &form.HX, &form.MatchGrid, &form.LG1,
                          &form.LG2, &form.LG3, &form.KFGrid, &form.ScGrid, &form.SG})
    grid->clear();
  prepareForecastGrids(form);

  const std::string_view stat = ExtractTag(answer, "stat");
  fillCardTexts(form, stat);
  loadCardPictures(ctx, stat);
  fillOddsBox(form.KFGrid, stat, target);
  fillMatchHeader(form.MatchGrid, stat);

  fillRecentResults(form.LGrid1, form.LG1, ExtractTag(stat, "Latest1"));
  fillPlayerCounts(form.SG, ExtractTag(stat, "stat1"), 1);
  fillRecentResults(form.LGrid2, form.LG2, ExtractTag(stat, "Latest2"));
  fillHeadToHead(form.HX, form.LG3, ExtractTag(stat, "H2H"));
  fillPlayerCounts(form.SG, ExtractTag(stat, "stat2"), 4);
  fillCombinedColumns(form.SG);
  fillSetScores(form.ScGrid, ExtractTag(stat, "scores"));
  fillForecastLabels(form, ExtractTag(stat, "forecast"));
}

void RXCellDblClick(Context& ctx, int /*col*/, int row) {
  withoutEscapingErrors([&] {
    const AnalysisTarget target = TargetOfRow(ctx.form, ctx.form.RX, row);
    ctx.platform.processPendingEvents();
    AnalyseMatch(ctx, target);
  });
}

void RGCellDblClick(Context& ctx, int /*col*/, int row) {
  withoutEscapingErrors([&] { AnalyseMatch(ctx, TargetOfRow(ctx.form, ctx.form.RG, row)); });
  ctx.form.activePage = PageStats;
}

void LGCellDblClick(Context& ctx, int /*col*/, int row) {
  withoutEscapingErrors([&] { AnalyseMatch(ctx, TargetOfRow(ctx.form, ctx.form.LG, row)); });
  ctx.form.activePage = PageStats;
}

}  // namespace korvex
