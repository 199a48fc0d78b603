#include "state/form.h"

#include "state/grid_columns.h"

namespace korvex {

LinePage::LinePage() : RX(columns::RX()), RG(columns::RG()), MV(columns::MV()) {}

LivePage::LivePage() : LG(columns::LG()), IP(columns::IP()) {}

RadarPage::RadarPage() : RB(columns::RB()), SBX(columns::SBX()), SH(columns::SH()) {}

AnalysisPage::AnalysisPage()
    : MatchGrid(columns::MatchGrid()),
      KFGrid(columns::KFGrid()),
      SG(columns::SG()),
      ScGrid(columns::ScGrid()),
      LGrid1(columns::LGrid("LGrid1")),
      LGrid2(columns::LGrid("LGrid2")),
      HX(columns::HX()),
      LG1(columns::LGStrip("LG1", false)),
      LG2(columns::LGStrip("LG2", false)),
      LG3(columns::LGStrip("LG3", true)),
      VG(columns::VG()) {}

Form::Form()
    : tabs{{{"About", true}, {"Stats", true}, {"Live", true}, {"Radar", true}, {"Report", true}}} {}

std::vector<GridModel*> Form::grids() {
  AnalysisPage& a = analysis;
  return {&line.RX, &line.RG,  &live.LG,  &radar.RB, &radar.SBX, &a.MatchGrid, &a.KFGrid,
          &a.SG,    &a.ScGrid, &a.LGrid1, &a.LGrid2, &a.HX,      &a.LG1,       &a.LG2,
          &a.LG3,   &a.VG,     &line.MV,  &radar.SH, &live.IP};
}

std::vector<std::pair<const char*, Label*>> Form::labels() {
  AnalysisPage& a = analysis;
  return {{"countsoon", &line.countsoon},
          {"countsoon2", &line.countsoon2},
          {"lcount", &live.lcount},
          {"Livetime", &live.Livetime},
          {"Name1", &a.Name1},
          {"Name2", &a.Name2},
          {"Country1", &a.Country1},
          {"Country2", &a.Country2},
          {"Birth1", &a.Birth1},
          {"Birth2", &a.Birth2},
          {"Hand1", &a.Hand1},
          {"Hand2", &a.Hand2},
          {"Rank1", &a.Rank1},
          {"Rank2", &a.Rank2},
          {"scor", &a.scor},
          {"sets", &a.sets},
          {"wt1", &a.wt1},
          {"wt2", &a.wt2},
          {"value", &a.value}};
}

}  // namespace korvex
