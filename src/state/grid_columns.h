#pragma once

#include <string>

#include "grid/column_name.h"
#include "grid/grid_description.h"

namespace korvex {

// The columns of every grid by name, in the order of its column table below. A run of
// like columns is named by its first (columnAfter reaches the rest).

// The pre-match line.
enum class RxColumn {
  Id,
  Selected,
  Flag,
  Gender,
  Date,
  Time,
  Home,
  Away,
  Odds1,
  Odds2,
  Tv,
  RadarMark,
  MyScore,
  Hand1,
  Kf1,
  Hand2,
  Kf2,
  Total,
  Under,
  Over
};
// The report grid built from the line.
enum class RgColumn {
  Id,
  Flag,
  Gender,
  League,
  Date,
  Time,
  Home,
  Away,
  Win1,
  Win2,
  It1,
  It2,
  Percent1,
  Percent2,
  Latest1,
  Latest2,
  H2H,
  Hand1,
  Kf1,
  Hand2,
  Kf2,
  Total,
  Under,
  Over
};
// The live list; its last five columns are the radar's figures.
enum class LgColumn {
  Id,
  Flag,
  Start,
  Set,
  Time,
  Serve1,
  Home,
  Serve2,
  Away,
  Odds1,
  Odds2,
  Score,
  Set1,
  Set2,
  Set3,
  Set4,
  Set5,
  RadarOdds1,
  RadarPercent1,
  RadarOdds2,
  RadarPercent2,
  RadarMoney
};
// The model's figures for the live list: one row per LG row, in its order.
enum class IpColumn { Id, Pre1, Chance1, Fair1, Fair2, Edge1, Edge2, Hold, Set1 };
// The exchange radar.
enum class RbColumn {
  Id,
  Date,
  Time,
  Flag,
  Home,
  Away,
  Market,
  Selection1,
  Selection2,
  Odds1,
  Percent1,
  Money1,
  Odds2,
  Percent2,
  Money2,
  Status,
  Score
};
// The bet journal.
enum class SbxColumn {
  Id,
  Date,
  Time,
  Flag,
  Home,
  Away,
  Bet,
  Odds,
  Percent,
  Sum,
  JournalTime,
  Status
};
// The one-row match header of the analysis.
enum class MatchColumn { Id, Date, Time, Flag, Tournament, Tv, Status };
// The odds box.
enum class KfColumn { Win1, Win2 };
// The 17 situations: each player's win, loss and count, then the combined chances.
enum class SgColumn { Param, Win1, Loss1, Count1, Win2, Loss2, Count2, Chance1, Chance2 };
// The odds set against the combined chances: one row per row of SG, with its matches.
enum class VgColumn { Param, Matches, Fair1, Edge1, Kelly1, Fair2, Edge2, Kelly2 };
// How often each set score occurred, one row per set: 6:0 first, 0:6 last.
enum class ScColumn { Set, FirstScore };
// A player's latest results (LGrid1, LGrid2).
enum class LGridColumn {
  Date,
  Flag,
  Stage,
  Home,
  Away,
  Score,
  Set1,
  Set2,
  Set3,
  Set4,
  Set5,
  Rez,
  Total
};
// The head-to-head.
enum class HxColumn { Date, Flag, Home, Away, Score, Sets, Rez };
// The result strips LG1 to LG3: one column per latest match, newest first.
enum class StripColumn { Latest };
// The line's movement since its first stored observation: one row per row of RX.
enum class MvColumn { Id, Open1, Open2, Move1, Move2, Changes };
// Every stored bet signal, newest first, with what became of it.
enum class ShColumn { At, Id, Home, Away, Bet, Odds, Percent, Sum, Now, Move, Result, ProfitLoss };

namespace columns {

// Every grid of the window: its column table, in the designer's order, and all else known
// of it.
GridDescription RX();
GridDescription RG();
GridDescription LG();
GridDescription IP();
GridDescription RB();
GridDescription SBX();
GridDescription MatchGrid();
GridDescription KFGrid();
GridDescription SG();
GridDescription VG();
GridDescription ScGrid();
GridDescription LGrid(std::string name);  // LGrid1 and LGrid2 share one layout
GridDescription HX();
GridDescription LGStrip(std::string name, bool buttonTextColour);  // LG1, LG2 (black) and LG3
GridDescription MV();
GridDescription SH();

}  // namespace columns
}  // namespace korvex
