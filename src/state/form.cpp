#include "state/form.h"

#include "state/grid_columns.h"

namespace korvex {

Form::Form()
    : tabs{{{"About", true}, {"Stats", true}, {"Live", true}, {"Radar", true}, {"Report", true}}},
      RX("RX", columns::RX()),
      RG("RG", columns::RG()),
      LG("LG", columns::LG()),
      RB("RB", columns::RB()),
      SBX("SBX", columns::SBX()),
      MatchGrid("MatchGrid", columns::MatchGrid()),
      KFGrid("KFGrid", columns::KFGrid()),
      SG("SG", columns::SG()),
      ScGrid("ScGrid", columns::ScGrid()),
      LGrid1("LGrid1", columns::LGrid()),
      LGrid2("LGrid2", columns::LGrid()),
      HX("HX", columns::HX()),
      LG1("LG1", columns::LGStrip(false)),
      LG2("LG2", columns::LGStrip(false)),
      LG3("LG3", columns::LGStrip(true)) {}

std::vector<GridModel*> Form::grids() {
  return {&RX,     &RG,     &LG,     &RB, &SBX, &MatchGrid, &KFGrid, &SG,
          &ScGrid, &LGrid1, &LGrid2, &HX, &LG1, &LG2,       &LG3};
}

std::vector<std::pair<const char*, std::string*>> Form::labels() {
  return {{"countsoon", &countsoon},
          {"countsoon2", &countsoon2},
          {"lcount", &lcount},
          {"Livetime", &Livetime},
          {"Name1", &Name1},
          {"Name2", &Name2},
          {"Country1", &Country1},
          {"Country2", &Country2},
          {"Birth1", &Birth1},
          {"Birth2", &Birth2},
          {"Hand1", &Hand1},
          {"Hand2", &Hand2},
          {"Rank1", &Rank1},
          {"Rank2", &Rank2},
          {"scor", &scor},
          {"sets", &sets},
          {"wt1", &wt1},
          {"wt2", &wt2}};
}

}  // namespace korvex
