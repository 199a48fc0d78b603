#include "live/live_list.h"

#include <array>
#include <string>
#include <string_view>

#include "state/grid_columns.h"
#include "state/user_list.h"
#include "text/country_flags.h"
#include "text/record_tags.h"

namespace korvex {

namespace {

constexpr std::array<std::string_view, 5> kSetTags{"set1", "set2", "set3", "set4", "set5"};

void fillLiveRow(GridModel& grid, int r, const RecordTags& block, std::string& scratch) {
  const std::string_view country = block["country"];
  const std::string_view q = block["q"];
  grid.setText(LgColumn::Id, r, block["id"]);
  grid.setHint(LgColumn::Flag, r, scratch.assign(country).append(". ").append(block["liga"]));
  grid.setValue(LgColumn::Flag, r, CountryFlagIndex(country));
  grid.setText(LgColumn::Start, r, block["time"]);
  grid.setText(LgColumn::Set, r, block["vr"]);
  grid.setText(LgColumn::Time, r, q.empty() ? std::string_view("-") : q);
  grid.setText(LgColumn::Home, r, block["home"]);
  grid.setText(LgColumn::Away, r, block["away"]);
  grid.setText(LgColumn::Odds1, r, block["kf1"]);
  grid.setText(LgColumn::Odds2, r, block["kf2"]);
  grid.setText(LgColumn::Score, r, block["score"]);
  for (std::size_t i = 0; i < kSetTags.size(); ++i)
    grid.setText(columnAfter(LgColumn::Set1, static_cast<int>(i)), r, block[kSetTags[i]]);

  const std::string_view server = block["podacha"];
  if (server == "1") grid.setValue(LgColumn::Serve1, r, pictureIndex(Icon::ServeBall));
  if (server == "2") grid.setValue(LgColumn::Serve2, r, pictureIndex(Icon::ServeBall));
}

// Rebuilds LG from the blocks that `walk` hands to its reader.
template <typename Walk>
Task<std::optional<FetchError>> rebuildLive(Form& form, Walk walk) {
  std::optional<FetchError> failure;
  {
    std::optional<GridModel::Batch> liveBatch;
    std::string scratch;
    RecordTags block;
    std::function<void()> start = [&] { emptyThenBatch(form.live.LG, liveBatch); };
    MatchBlockStream::Reader reader = [&](std::string_view text) {
      const int r = form.live.LG.appendRow();
      block.read(text);
      fillLiveRow(form.live.LG, r, block, scratch);
    };
    failure = co_await walk(std::move(start), std::move(reader));
  }
  form.live.lcount = "Count: " + std::to_string(form.live.LG.rowCount());
  co_return failure;
}

}  // namespace

Task<> LoadLive(Context& ctx) {
  const LoadingNote loading(ctx.form.status, "the live list");
  auto walk = userListBlocks(ctx, "live");
  const auto failure = co_await rebuildLive(ctx.form, std::move(walk));
  ctx.form.status.live.record(failure, localNow(ctx));
}

void fillLiveFromAnswer(Form& form, std::string_view answer) {
  runInPlace(rebuildLive(form, answerBlocks(answer)));
}

}  // namespace korvex
