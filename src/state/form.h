#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "grid/grid_model.h"
#include "state/picture.h"

namespace korvex {

enum PageIndex { PageAbout = 0, PageStats = 1, PageLive = 2, PageRadar = 3, PageReport = 4 };

struct Tab {
  std::string caption;
  bool visible = true;
};

// The window's whole state as plain data: what the Qt window shows and the CLI dumps.
// Text is CP1251 bytes throughout.
struct Form {
  Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  std::array<Tab, 5> tabs;
  int activePage = PageAbout;
  int statPageActive = 0;  // inner analysis tabs: 0 is "Forecast"
  bool sizeable = false;
  bool timerOn = false;
  bool closed = false;

  // Session globals.
  std::string CurrentLogin;
  std::string CurrentPassword;
  int LiveCountdown = 60;

  // Log-in fields on the About page.
  std::string loginedit;
  std::string passedit;
  bool zap = false;

  // Labels the program writes.
  std::string countsoon = "Count: 0";
  std::string countsoon2 = "Count: 0";
  std::string lcount = "Count: 0";
  std::string Livetime;
  std::string Name1, Name2;
  std::string Country1, Country2;
  std::string Birth1, Birth2;
  std::string Hand1, Hand2;
  std::string Rank1, Rank2;
  std::string scor = "0:0";
  std::string sets = "-";
  std::string wt1, wt2;

  Picture LOGO1, LOGO2;

  GridModel RX, RG, LG, RB, SBX;
  GridModel MatchGrid, KFGrid, SG, ScGrid;
  GridModel LGrid1, LGrid2, HX, LG1, LG2, LG3;

  // Every grid by its name, in a fixed order (the JSON dump and the window use it).
  std::vector<GridModel*> grids();
  // Every written label by its name, in a fixed order.
  std::vector<std::pair<const char*, std::string*>> labels();
};

}  // namespace korvex
