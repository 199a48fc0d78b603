#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "grid/grid_model.h"
#include "state/label.h"
#include "state/list_status.h"
#include "state/picture.h"

namespace korvex {

enum PageIndex { PageAbout = 0, PageStats = 1, PageLive = 2, PageRadar = 3, PageReport = 4 };

struct Tab {
  std::string caption;
  bool visible = true;
};

// The log-in fields: what the user types, not what the program writes.
struct AboutPage {
  std::string loginedit;
  std::string passedit;
  bool zap = false;
};

// The pre-match line and the report grid built from it.
struct LinePage {
  LinePage();
  GridModel RX, RG;
  GridModel MV;  // the line's movement, from the history
  Label countsoon{"Count: 0"};
  Label countsoon2{"Count: 0"};
};

struct LivePage {
  LivePage();
  GridModel LG;
  GridModel IP;  // the model's chances beside each LG row
  Label lcount{"Count: 0"};
  Label Livetime;
};

// The exchange radar and the bet journal.
struct RadarPage {
  RadarPage();
  GridModel RB, SBX;
  GridModel SH;  // every signal the history holds
};

// The analysis panel of one match.
struct AnalysisPage {
  AnalysisPage();
  int statPageActive = 0;  // inner tabs: 0 is "Forecast"
  Label Name1, Name2;
  Label Country1, Country2;
  Label Birth1, Birth2;
  Label Hand1, Hand2;
  Label Rank1, Rank2;
  Label scor{"0:0"};
  Label sets{"-"};
  Label wt1, wt2;
  Label value;  // the bookmaker's margin and the best value of VG
  Picture LOGO1, LOGO2;
  // Over the panel when the detail did not arrive, so zeros are never taken for figures.
  Label failure;
  GridModel MatchGrid, KFGrid, SG, ScGrid;
  GridModel LGrid1, LGrid2, HX, LG1, LG2, LG3;
  GridModel VG;
};

// The window's whole state as plain data: what the Qt window shows and the CLI dumps.
// Text is CP1251 bytes throughout.
struct Form {
  Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  std::array<Tab, 5> tabs;
  int activePage = PageAbout;
  bool sizeable = false;
  bool timerOn = false;
  bool closed = false;

  // Session globals.
  std::string CurrentLogin;
  std::string CurrentPassword;
  int LiveCountdown = 60;

  AboutPage about;
  LinePage line;
  LivePage live;
  RadarPage radar;
  AnalysisPage analysis;
  StatusPage status;

  // Every grid by its name, in a fixed order (the JSON dump and the window use it).
  std::vector<GridModel*> grids();
  // Every written label by its name, in a fixed order.
  std::vector<std::pair<const char*, Label*>> labels();
};

}  // namespace korvex
