#include "radar/radar_list.h"

#include <string>

#include "state/grid_columns.h"
#include "state/user_list.h"
#include "text/country_flags.h"
#include "text/feed_number.h"
#include "text/record_tags.h"

namespace korvex {

namespace {

struct LigaParts {
  std::string_view country;
  std::string_view tournament;
};

// The next ">>"-terminated field of `rest`, which then starts after it. A field without
// its ">>" does not count: it reads as empty and ends the list.
std::string_view takeField(std::string_view& rest) {
  const std::size_t end = rest.find(">>");
  if (end == std::string_view::npos) {
    rest = {};
    return {};
  }
  const std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end + 2);
  return field;
}

// "liga" reads "first field>>country>>tournament>>"; the first field is not shown.
LigaParts splitLiga(std::string_view liga) {
  takeField(liga);
  const std::string_view country = takeField(liga);
  const std::string_view tournament = takeField(liga);
  return {country, tournament};
}

void colourPercent(GridModel& grid, RbColumn col, int row, std::string_view percent) {
  // Colours are only ever set here, never cleared.
  if (const auto colour = PercentColour(wholeNumberOrZero(percent)))
    grid.setColour(col, row, colour);
}

// `figures` is scratch space for the "bfpr" sub-record, kept across rows.
void fillRadarRow(GridModel& grid, int r, const RecordTags& block, RecordTags& figures) {
  const LigaParts liga = splitLiga(block["liga"]);
  grid.setText(RbColumn::Id, r, block["id"]);
  grid.setText(RbColumn::Date, r, block["date"]);
  grid.setText(RbColumn::Time, r, block["time"]);
  grid.setValue(RbColumn::Flag, r, CountryFlagIndex(liga.country));
  grid.setHint(RbColumn::Flag, r, liga.tournament);
  grid.setText(RbColumn::Home, r, block["home"]);
  grid.setText(RbColumn::Away, r, block["away"]);
  grid.setText(RbColumn::Market, r, block["m1x2"]);
  // At block level "s1" and "s2" are the exchange selections; inside "bfpr" the same
  // names are the money amounts.
  grid.setText(RbColumn::Selection1, r, block["s1"]);
  grid.setText(RbColumn::Selection2, r, block["s2"]);

  figures.read(block, "bfpr");
  const std::string_view percent1 = figures["pr1"];
  grid.setText(RbColumn::Odds1, r, figures["k1"]);
  grid.setText(RbColumn::Percent1, r, percent1);
  grid.setText(RbColumn::Money1, r, figures["s1"]);
  colourPercent(grid, RbColumn::Percent1, r, percent1);

  const std::string_view percent2 = figures["pr2"];
  grid.setText(RbColumn::Odds2, r, figures["k2"]);
  grid.setText(RbColumn::Percent2, r, percent2);
  grid.setText(RbColumn::Money2, r, figures["s2"]);
  colourPercent(grid, RbColumn::Percent2, r, percent2);
}

// Rebuilds RB from the blocks that `walk` hands to its reader.
template <typename Walk>
Task<std::optional<FetchError>> rebuildRadar(Form& form, Walk walk) {
  std::optional<GridModel::Batch> batch;
  RecordTags block, figures;
  std::function<void()> start = [&] { emptyThenBatch(form.radar.RB, batch); };
  MatchBlockStream::Reader reader = [&](std::string_view text) {
    block.read(text);
    fillRadarRow(form.radar.RB, form.radar.RB.appendRow(), block, figures);
  };
  co_return co_await walk(std::move(start), std::move(reader));
}

}  // namespace

Task<> LoadRadar(Context& ctx) {
  const LoadingNote loading(ctx.form.status, "the radar");
  auto walk = userListBlocks(ctx, "bf");
  const auto failure = co_await rebuildRadar(ctx.form, std::move(walk));
  ctx.form.status.radar.record(failure, localNow(ctx));
}

void fillRadarFromAnswer(Form& form, std::string_view answer) {
  runInPlace(rebuildRadar(form, answerBlocks(answer)));
}

// Each later threshold overrides the earlier one; at 70 or below the cell keeps its colour.
std::optional<Colour> PercentColour(int percent) {
  if (percent > 100) return colours::Yellow;
  if (percent > 90) return colours::Green;
  if (percent > 70) return colours::LightGreen;
  return std::nullopt;
}

}  // namespace korvex
