#include "analysis/analysis.h"

#include <optional>
#include <string>

#include "analysis/forecast.h"
#include "analysis/player_cards.h"
#include "analysis/results.h"
#include "analysis/value_view.h"
#include "state/waits.h"
#include "text/tag_selector.h"

namespace korvex {

namespace {

// The sections of the stat section, in the order the analysis lists them.
enum StatSection : std::size_t {
  Latest1,
  Counts1,
  Latest2,
  HeadToHead,
  Counts2,
  SetScores,
  ForecastSection
};

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
Task<std::string> fetchDetail(Context& ctx, const AnalysisTarget& target) {
  const LoadingNote loading(ctx.form.status, "the analysis of " + matchName(target));
  FetchedAnswer answer = co_await fetchAnswer(
      ctx, ctx.IdHTTP1, ctx.addresses.service + "/kx/match.php?id=" + target.id);
  ctx.form.status.analysis.record(answer.failure, localNow(ctx));
  ctx.form.analysis.failure = "";
  if (answer.failure) {
    ctx.form.analysis.failure =
        "Could not load " + matchName(target) + ": " + reasonForUser(*answer.failure);
    tell(ctx, ctx.form.analysis.failure.text(), true);
  }
  co_return std::move(answer.body);
}

}  // namespace

AnalysisTarget targetOfRow(const Form& form, const GridModel& grid, int row) {
  AnalysisTarget target = targetOfRow(grid, row);
  // Only the form's own line and live grids lend their odds.
  if (&grid != &form.line.RX && &grid != &form.live.LG) target.odds1 = target.odds2 = "";
  return target;
}

AnalysisTarget targetOfRow(const GridModel& grid, int row) {
  // The identifier is column 0 of every grid that opens a match.
  static_assert(columnIndex(RxColumn::Id) == 0 && columnIndex(RgColumn::Id) == 0 &&
                columnIndex(LgColumn::Id) == 0);
  AnalysisTarget target{.id = std::string(grid.text(RxColumn::Id, row))};
  auto read = [&](auto odds1, auto odds2, auto home, auto away) {
    if (odds1) target.odds1 = grid.text(*odds1, row);
    if (odds2) target.odds2 = grid.text(*odds2, row);
    target.home = grid.text(home, row);
    target.away = grid.text(away, row);
  };
  if (grid.name() == "RX")
    read(std::optional(RxColumn::Odds1), std::optional(RxColumn::Odds2), RxColumn::Home,
         RxColumn::Away);
  else if (grid.name() == "LG")
    read(std::optional(LgColumn::Odds1), std::optional(LgColumn::Odds2), LgColumn::Home,
         LgColumn::Away);
  else if (grid.name() == "RG")
    read(std::optional<RgColumn>(), std::optional<RgColumn>(), RgColumn::Home, RgColumn::Away);
  return target;
}

std::string matchName(const AnalysisTarget& target) {
  if (target.home.empty() && target.away.empty()) return "match " + target.id;
  if (target.home.empty() || target.away.empty()) return target.home + target.away;
  return target.home + " \x96 " + target.away;  // an en dash in CP1251
}

Task<> AnalyseMatch(Context& ctx, AnalysisTarget target) {
  Form& form = ctx.form;
  co_await letEventsRun(ctx);
  const LineGridDisabled lineGridDisabled(form.line.RX);
  co_await letEventsRun(ctx);
  std::string detail = co_await fetchDetail(ctx, target);
  co_await fillAnalysisFromAnswer(ctx, target, std::move(detail));
  co_await letEventsRun(ctx);
}

Task<> fillAnalysisFromAnswer(Context& ctx, AnalysisTarget target, std::string answer) {
  Form& form = ctx.form;
  for (GridModel* grid :
       {&form.analysis.LGrid1, &form.analysis.LGrid2, &form.analysis.HX, &form.analysis.MatchGrid,
        &form.analysis.LG1, &form.analysis.LG2, &form.analysis.LG3, &form.analysis.KFGrid,
        &form.analysis.ScGrid, &form.analysis.SG, &form.analysis.VG})
    grid->clear();
  prepareForecastGrids(form);

  const std::string_view stat = ExtractTag(answer, "stat");
  fillCardTexts(form, stat);
  co_await loadCardPictures(ctx, stat);
  fillOddsBox(form.analysis.KFGrid, stat, target);
  fillMatchHeader(form.analysis.MatchGrid, stat);

  TagSelector sections{"Latest1", "stat1", "Latest2", "H2H", "stat2", "scores", "forecast"};
  sections.read(stat);
  fillRecentResults(form.analysis.LGrid1, form.analysis.LG1, sections[Latest1]);
  fillPlayerCounts(form.analysis.SG, sections[Counts1], SgColumn::Win1);
  fillRecentResults(form.analysis.LGrid2, form.analysis.LG2, sections[Latest2]);
  fillHeadToHead(form.analysis.HX, form.analysis.LG3, sections[HeadToHead]);
  fillPlayerCounts(form.analysis.SG, sections[Counts2], SgColumn::Win2);
  fillCombinedColumns(form.analysis.SG);
  fillSetScores(form.analysis.ScGrid, sections[SetScores]);
  fillForecastLabels(form, sections[ForecastSection]);
  fillValueView(form.analysis);
}

namespace {

// An analysis that ends early (what the detail holds is beyond reading) keeps what it
// filled so far, and says so in the status bar.
Task<> analyseTellingFailure(Context& ctx, AnalysisTarget target) {
  const std::string name = matchName(target);
  std::optional<std::string> failure;
  try {
    co_await AnalyseMatch(ctx, std::move(target));
  } catch (const std::exception& error) {
    failure = error.what();
  }
  if (failure)
    tell(ctx, "Analysis of " + name + " failed: " + *failure, true);
  else if (ctx.form.status.analysis.ok)
    tell(ctx, "Opened " + name);
}

}  // namespace

Task<> openLineMatch(Context& ctx, AnalysisTarget target) {
  co_await letEventsRun(ctx);
  co_await analyseTellingFailure(ctx, std::move(target));
}

Task<> openMatchOnStats(Context& ctx, AnalysisTarget target) {
  co_await analyseTellingFailure(ctx, std::move(target));
  ctx.form.activePage = PageStats;
}

Task<> RXCellDblClick(Context& ctx, int /*col*/, int row) {
  return openLineMatch(ctx, targetOfRow(ctx.form, ctx.form.line.RX, row));
}

Task<> RGCellDblClick(Context& ctx, int /*col*/, int row) {
  return openMatchOnStats(ctx, targetOfRow(ctx.form, ctx.form.line.RG, row));
}

Task<> LGCellDblClick(Context& ctx, int /*col*/, int row) {
  return openMatchOnStats(ctx, targetOfRow(ctx.form, ctx.form.live.LG, row));
}

}  // namespace korvex
