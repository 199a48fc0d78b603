#include "live/live_list.h"

#include <string>
#include <string_view>

#include "state/grid_columns.h"
#include "state/user_list.h"
#include "text/country_flags.h"

namespace korvex {

namespace {

// The values a live block is read for, in the order the picker packs them.
enum LiveValue : std::size_t {
  Country,
  Liga,
  Id,
  Time,
  Vr,
  Q,
  Home,
  Away,
  Kf1,
  Kf2,
  Score,
  Set1,
  Podacha = Set1 + 5,
};

BlockPicker livePicker() {
  return tagPicker({"country", "liga", "id", "time", "vr", "q", "home", "away", "kf1", "kf2",
                    "score", "set1", "set2", "set3", "set4", "set5", "podacha"});
}

void fillLiveRow(GridModel& grid, int r, const PickedBlock& block, std::string& scratch) {
  const std::string_view country = block[Country];
  const std::string_view q = block[Q];
  grid.setText(LgColumn::Id, r, block[Id]);
  grid.setHint(LgColumn::Flag, r, scratch.assign(country).append(". ").append(block[Liga]));
  grid.setValue(LgColumn::Flag, r, CountryFlagIndex(country));
  grid.setText(LgColumn::Start, r, block[Time]);
  grid.setText(LgColumn::Set, r, block[Vr]);
  grid.setText(LgColumn::Time, r, q.empty() ? std::string_view("-") : q);
  grid.setText(LgColumn::Home, r, block[Home]);
  grid.setText(LgColumn::Away, r, block[Away]);
  grid.setText(LgColumn::Odds1, r, block[Kf1]);
  grid.setText(LgColumn::Odds2, r, block[Kf2]);
  grid.setText(LgColumn::Score, r, block[Score]);
  for (int i = 0; i < 5; ++i)
    grid.setText(columnAfter(LgColumn::Set1, i), r, block[Set1 + static_cast<std::size_t>(i)]);

  const std::string_view server = block[Podacha];
  if (server == "1") grid.setValue(LgColumn::Serve1, r, pictureIndex(Icon::ServeBall));
  if (server == "2") grid.setValue(LgColumn::Serve2, r, pictureIndex(Icon::ServeBall));
}

// Rebuilds LG from the blocks that `walk` hands to its reader.
template <typename Walk>
Task<std::optional<FetchError>> rebuildLive(Form& form, Walk walk) {
  std::string scratch;
  const auto failure = co_await rebuildGrid(
      form.live.LG, std::move(walk),
      [&](int r, const PickedBlock& block) { fillLiveRow(form.live.LG, r, block, scratch); });
  form.live.lcount = "Count: " + std::to_string(form.live.LG.rowCount());
  co_return failure;
}

}  // namespace

Task<> LoadLive(Context& ctx) {
  const LoadingNote loading(ctx.form.status, "the live list");
  auto walk = userListPicked(ctx, "live", livePicker());
  const auto failure = co_await rebuildLive(ctx.form, std::move(walk));
  ctx.form.status.live.record(failure, localNow(ctx));
}

void fillLiveFromAnswer(Form& form, std::string_view answer) {
  runInPlace(rebuildLive(form, answerPicked(answer, livePicker())));
}

}  // namespace korvex
