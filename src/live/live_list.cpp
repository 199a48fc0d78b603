#include "live/live_list.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "app/user_list.h"
#include "grid/row_index.h"
#include "service/country_flags.h"
#include "service/feed_number.h"
#include "service/record_tags.h"

namespace korvex {

namespace {

constexpr int kLiveCycleSeconds = 60;
// ImageList2: the small black ball beside the serving player.
constexpr int kServeImage = 13;

namespace lg {
constexpr int Id = 0, Flag = 1, Start = 2, Set = 3, Time = 4, Serve1 = 5, Home = 6, Serve2 = 7,
              Away = 8, Odds1 = 9, Odds2 = 10, Score = 11, Sets = 12, RadarOdds1 = 17,
              RadarPercent1 = 18, RadarOdds2 = 19, RadarPercent2 = 20, RadarMoney = 21;
}
namespace rb {
constexpr int Id = 0, Odds1 = 9, Percent1 = 10, Money1 = 11, Odds2 = 12, Percent2 = 13, Money2 = 14,
              Status = 15, Score = 16;
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

void copyPercent(GridModel& live, int liveCol, int r, const GridModel& radar, int radarCol, int i,
                 std::string& scratch) {
  const Cell& source = radar.cell(radarCol, i);
  live.setText(liveCol, r, scratch.assign(source.text).append("%"));
  live.setColour(liveCol, r, source.colour);
}

// Marks every radar row of live row r's match as live and copies the figures of the last
// of them into the live row, which is what copying each one in turn would leave.
void linkWithRadar(GridModel& live, int r, GridModel& radar, const RowIndex& radarIds,
                   std::string& scratch) {
  int last = -1;
  radarIds.forEachRow(live.text(lg::Id, r), [&](int i) {
    radar.setText(rb::Status, i, "LIVE");
    radar.setText(rb::Score, i, live.text(lg::Score, r));
    last = i;
  });
  if (last < 0) return;
  live.setText(lg::RadarOdds1, r, radar.text(rb::Odds1, last));
  copyPercent(live, lg::RadarPercent1, r, radar, rb::Percent1, last, scratch);
  live.setText(lg::RadarOdds2, r, radar.text(rb::Odds2, last));
  copyPercent(live, lg::RadarPercent2, r, radar, rb::Percent2, last, scratch);
  const long long sum = static_cast<long long>(wholeNumberOrZero(radar.text(rb::Money1, last))) +
                        wholeNumberOrZero(radar.text(rb::Money2, last));
  char money[24] = "$";
  const char* end = std::to_chars(money + 1, money + sizeof money, sum).ptr;
  live.setText(lg::RadarMoney, r, std::string_view(money, static_cast<std::size_t>(end - money)));
}

// Rebuilds LG from the blocks that `walk` hands to its reader and links it with the radar.
template <typename Walk>
void rebuildLive(Form& form, Walk&& walk) {
  {
    GridModel::Batch liveBatch(form.LG);
    GridModel::Batch radarBatch(form.RB);
    form.LG.clear();
    // Only columns 15 and 16 of RB change below, so the index stays valid for the walk.
    const RowIndex radarIds(form.RB, rb::Id);
    std::string scratch;
    RecordTags block;
    walk([&](std::string_view text) {
      const int r = form.LG.appendRow();
      block.read(text);
      fillLiveRow(form.LG, r, block, scratch);
      linkWithRadar(form.LG, r, form.RB, radarIds, scratch);
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

// The countdown counts ticks, not wall time: a reload that blocks the window is not counted.
void Timer1Timer(Context& ctx) {
  // The event processing below can deliver the next tick. Handling it there would reload
  // inside a reload, or count down past 0 so that the reload never came again.
  if (ctx.timerTickRunning) return;
  ctx.timerTickRunning = true;
  struct TickEnd {
    bool& running;
    ~TickEnd() { running = false; }
  } tickEnd{ctx.timerTickRunning};

  Form& form = ctx.form;
  --form.LiveCountdown;
  ctx.platform.processPendingEvents();
  form.Livetime = "Refresh from " + std::to_string(form.LiveCountdown) + " sec.";
  if (form.LiveCountdown == 0) {
    // Let the window paint the 0 before the reload blocks it.
    ctx.platform.processPendingEvents();
    LoadLive(ctx);
    form.LiveCountdown = kLiveCycleSeconds;
  }
}

}  // namespace korvex
