#include "radar/radar_list.h"

#include <string>

#include "state/grid_columns.h"
#include "state/user_list.h"
#include "text/country_flags.h"
#include "text/feed_number.h"
#include "text/tag_selector.h"

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

// The values a radar block is read for, in the order the picker packs them.
enum RadarValue : std::size_t { Liga, Id, Date, Time, Home, Away, M1x2, S1, S2, Bfpr };

BlockPicker radarPicker() {
  return tagPicker({"liga", "id", "date", "time", "home", "away", "m1x2", "s1", "s2", "bfpr"});
}

// Fills a row of RB from one block's picked values. Kept across rows, so that the
// selector of the exchange figures is made once for the list.
class RadarRowWriter {
 public:
  explicit RadarRowWriter(GridModel& grid) : grid_(grid) {}

  void operator()(int r, const PickedBlock& block) {
    const LigaParts liga = splitLiga(block[Liga]);
    grid_.setText(RbColumn::Id, r, block[Id]);
    grid_.setText(RbColumn::Date, r, block[Date]);
    grid_.setText(RbColumn::Time, r, block[Time]);
    grid_.setValue(RbColumn::Flag, r, CountryFlagIndex(liga.country));
    grid_.setHint(RbColumn::Flag, r, liga.tournament);
    grid_.setText(RbColumn::Home, r, block[Home]);
    grid_.setText(RbColumn::Away, r, block[Away]);
    grid_.setText(RbColumn::Market, r, block[M1x2]);
    // At block level "s1" and "s2" are the exchange selections; inside "bfpr" the same
    // names are the money amounts.
    grid_.setText(RbColumn::Selection1, r, block[S1]);
    grid_.setText(RbColumn::Selection2, r, block[S2]);

    figures_.read(block[Bfpr]);
    fillSide(r, RbColumn::Odds1, RbColumn::Percent1, RbColumn::Money1, 0);
    fillSide(r, RbColumn::Odds2, RbColumn::Percent2, RbColumn::Money2, 3);
  }

 private:
  // One player's odds, percent and money, from `first` on in the figures' list.
  void fillSide(int r, RbColumn odds, RbColumn percent, RbColumn money, std::size_t first) {
    const std::string_view percentText = figures_[first + 1];
    grid_.setText(odds, r, figures_[first]);
    grid_.setText(percent, r, percentText);
    grid_.setText(money, r, figures_[first + 2]);
    colourPercent(grid_, percent, r, percentText);
  }

  GridModel& grid_;
  TagSelector figures_{"k1", "pr1", "s1", "k2", "pr2", "s2"};
};

}  // namespace

Task<> LoadRadar(Context& ctx) {
  const LoadingNote loading(ctx.form.status, "the radar");
  auto walk = userListPicked(ctx, "bf", radarPicker());
  const auto failure =
      co_await rebuildGrid(ctx.form.radar.RB, std::move(walk), RadarRowWriter(ctx.form.radar.RB));
  ctx.form.status.radar.record(failure, localNow(ctx));
}

void fillRadarFromAnswer(Form& form, std::string_view answer) {
  runInPlace(rebuildGrid(form.radar.RB, answerPicked(answer, radarPicker()),
                         RadarRowWriter(form.radar.RB)));
}

// Each later threshold overrides the earlier one; at 70 or below the cell keeps its colour.
std::optional<Colour> PercentColour(int percent) {
  if (percent > 100) return colours::Yellow;
  if (percent > 90) return colours::Green;
  if (percent > 70) return colours::LightGreen;
  return std::nullopt;
}

}  // namespace korvex
