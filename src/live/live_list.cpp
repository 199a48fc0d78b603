#include "live/live_list.h"

#include <array>
#include <string>
#include <string_view>

#include "state/user_list.h"
#include "text/country_flags.h"
#include "text/record_tags.h"

namespace korvex {

namespace {

// ImageList2: the small black ball beside the serving player.
constexpr int kServeImage = 13;

namespace lg {
constexpr int Id = 0, Flag = 1, Start = 2, Set = 3, Time = 4, Serve1 = 5, Home = 6, Serve2 = 7,
              Away = 8, Odds1 = 9, Odds2 = 10, Score = 11, Sets = 12;
}

constexpr std::array<std::string_view, 5> kSetTags{"set1", "set2", "set3", "set4", "set5"};

void fillLiveRow(GridModel& grid, int r, const RecordTags& block, std::string& scratch) {
  const std::string_view country = block["country"];
  const std::string_view q = block["q"];
  grid.setText(lg::Id, r, block["id"]);
  grid.setHint(lg::Flag, r, scratch.assign(country).append(". ").append(block["liga"]));
  grid.setValue(lg::Flag, r, CountryFlagIndex(country));
  grid.setText(lg::Start, r, block["time"]);
  grid.setText(lg::Set, r, block["vr"]);
  grid.setText(lg::Time, r, q.empty() ? std::string_view("-") : q);
  grid.setText(lg::Home, r, block["home"]);
  grid.setText(lg::Away, r, block["away"]);
  grid.setText(lg::Odds1, r, block["kf1"]);
  grid.setText(lg::Odds2, r, block["kf2"]);
  grid.setText(lg::Score, r, block["score"]);
  for (std::size_t i = 0; i < kSetTags.size(); ++i)
    grid.setText(lg::Sets + static_cast<int>(i), r, block[kSetTags[i]]);

  const std::string_view server = block["podacha"];
  if (server == "1") grid.setValue(lg::Serve1, r, kServeImage);
  if (server == "2") grid.setValue(lg::Serve2, r, kServeImage);
}

// Rebuilds LG from the blocks that `walk` hands to its reader.
template <typename Walk>
void rebuildLive(Form& form, Walk&& walk) {
  {
    GridModel::Batch liveBatch(form.LG);
    form.LG.clear();
    std::string scratch;
    RecordTags block;
    walk([&](std::string_view text) {
      const int r = form.LG.appendRow();
      block.read(text);
      fillLiveRow(form.LG, r, block, scratch);
    });
  }
  form.lcount = "Count: " + std::to_string(form.LG.rowCount());
}

}  // namespace

void LoadLive(Context& ctx) {
  rebuildLive(ctx.form, userListBlocks(ctx, "live"));
}

void fillLiveFromAnswer(Form& form, std::string_view answer) {
  rebuildLive(form, answerBlocks(answer));
}

}  // namespace korvex
