#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_store.h"
#include "model/serve_fit.h"

namespace korvex::ui {

// Where a series' figures come from, which also says how it is drawn.
enum class SeriesSource { Line, Live, Exchange, Model };
// Which player a series is about; Both for a figure of the match (player 1's chance).
enum class SeriesPlayer { One, Two, Both };

struct SeriesPoint {
  history::Stamp at;
  double value = 0;
  // What the observation said beside the figure (the score of a live row, the money of
  // an exchange row), for the point's tooltip; "" when nothing.
  std::string note;
};

// One figure of a match over time, oldest first.
struct MovementSeries {
  std::string name;
  SeriesSource source = SeriesSource::Line;
  SeriesPlayer player = SeriesPlayer::One;
  bool percent = false;  // a chance or a share in %, else odds
  std::vector<SeriesPoint> points;

  double open() const { return points.front().value; }
  double high() const;
  double low() const;
  double now() const { return points.back().value; }
};

// Everything the history holds of one match, as series to chart: the line's prices and
// the chances they imply; the live odds, the chance of player 1 they imply, and the
// model's chance of player 1 recomputed from every live row's score; the exchange's odds
// and money shares. Series without a usable figure are left out.
struct MatchMovement {
  std::string home, away;  // from the last line observation, when there is one
  std::vector<MovementSeries> series;

  bool empty() const { return series.empty(); }
};

// Reads the match's observations once, with one consistent view of the store. `fits`
// keeps the serve chances fitted to closing lines between reads.
MatchMovement readMatchMovement(history::HistoryStore& store, std::string_view id, FitCache& fits);

}  // namespace korvex::ui
