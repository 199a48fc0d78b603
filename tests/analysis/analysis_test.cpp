#include "analysis/analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/picture_samples.h"
#include "support/service_context.h"

namespace korvex {
namespace {

using test::Reply;

const std::string kRedPng = test::pngBytes(48, 50, {255, 0, 0});
const std::string kLogoJpeg = test::jpegBytes(30, 20, {0, 0, 255});

class Analysis : public ::testing::Test, public test::ServiceContext {
 protected:
  void serveDetail(const std::string& id, const std::string& stat) {
    server.route("/kx/match.php?id=" + id, Reply{.body = "<stat>\r\n" + stat + "\r\n</stat>"});
  }
  void servePicture(const std::string& name, const std::string& bytes) {
    server.route("/kx/img/" + name, Reply{.body = bytes});
  }
  int addRow(GridModel& grid, const std::string& id, int oddsColumn = -1) {
    const int r = grid.appendRow();
    grid.setText(0, r, id);
    if (oddsColumn >= 0) {
      grid.setText(oddsColumn, r, "1.5" + id);
      grid.setText(oddsColumn + 1, r, "2.5" + id);
    }
    return r;
  }
  std::vector<std::string> cardLabels() const {
    return {form.analysis.Name1,    form.analysis.Name2,  form.analysis.Country1,
            form.analysis.Country2, form.analysis.Birth1, form.analysis.Birth2,
            form.analysis.Hand1,    form.analysis.Hand2,  form.analysis.Rank1,
            form.analysis.Rank2,    form.analysis.scor,   form.analysis.sets,
            form.analysis.wt1,      form.analysis.wt2};
  }
  std::vector<std::string> rowOf(const GridModel& grid, int row) const {
    std::vector<std::string> texts;
    for (int c = 0; c < grid.columnCount(); ++c) texts.emplace_back(grid.text(c, row));
    return texts;
  }
};

TEST_F(Analysis, CardsAndHeaderComeFromTheStatRecord) {
  servePicture("kx_logo.jpg", kLogoJpeg);
  serveDetail("7", test::record({{"bigname1", " , "},
                                 {"home", "Short A"},
                                 {"bigname2", ""},
                                 {"away", "Short B"},
                                 {"country1", "Spain"},
                                 {"birthday2", "1990"},
                                 {"hand1", "right"},
                                 {"rank2", "12"},
                                 {"id", "7"},
                                 {"date", "01.02"},
                                 {"time", "10:00"},
                                 {"country", "Spain"},
                                 {"liga", "Madrid M. and W. Open"}}));
  platform.finish(RXCellDblClick(ctx, 3, addRow(form.line.RX, "7")));
  EXPECT_EQ(cardLabels(), (std::vector<std::string>{"Short A", "", "Spain", "", "", "1990", "right",
                                                    "", "", "12", "", "", "", ""}));
  ASSERT_EQ(form.analysis.MatchGrid.rowCount(), 1);
  EXPECT_EQ(rowOf(form.analysis.MatchGrid, 0),
            (std::vector<std::string>{"7", "01.02", "10:00", "",
                                      "Spain. Madrid Men. and Women. Open", "", "SOON"}));
  EXPECT_EQ(form.analysis.MatchGrid.value(3, 0), 75);
  EXPECT_EQ(form.analysis.MatchGrid.cell(6, 0).colour, colours::Blue);

  serveDetail("8", test::record({{"liga", "Cup"}}));
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "8")));
  EXPECT_EQ(form.analysis.MatchGrid.text(4, 0), ". Cup");
  EXPECT_EQ(form.analysis.MatchGrid.value(3, 0), 0);
}

TEST_F(Analysis, ADashInTheOddsGivesWayToTheClickedRowsOwnOdds) {
  serveDetail("1", test::record({{"kf1", "-"}, {"kf2", "-"}}));
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "1", 8)));
  EXPECT_EQ(rowOf(form.analysis.KFGrid, 0), (std::vector<std::string>{"1.51", "2.51"}));
  platform.finish(LGCellDblClick(ctx, 0, addRow(form.live.LG, "1", 9)));
  EXPECT_EQ(rowOf(form.analysis.KFGrid, 0), (std::vector<std::string>{"1.51", "2.51"}));
  platform.finish(RGCellDblClick(ctx, 0, addRow(form.line.RG, "1", 8)));
  EXPECT_EQ(rowOf(form.analysis.KFGrid, 0), (std::vector<std::string>{"", ""}))
      << "the report grid has none";

  serveDetail("2", test::record({{"kf2", "1.9"}}));
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "2", 8)));
  EXPECT_EQ(rowOf(form.analysis.KFGrid, 0), (std::vector<std::string>{"", "1.9"}));
}

TEST_F(Analysis, AFailedDetailRequestShowsTheEmptyAnalysis) {
  for (Label* label : {&form.analysis.Name1, &form.analysis.sets, &form.analysis.wt2})
    *label = "old";
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "404")));
  EXPECT_EQ(cardLabels(), std::vector<std::string>(14, ""));
  EXPECT_EQ(rowOf(form.analysis.MatchGrid, 0),
            (std::vector<std::string>{"", "", "", "", ". ", "", "SOON"}));
  EXPECT_EQ(form.analysis.MatchGrid.value(3, 0), 0);
  EXPECT_EQ(rowOf(form.analysis.KFGrid, 0), (std::vector<std::string>{"", ""}));
  ASSERT_EQ(form.analysis.SG.rowCount(), 17);
  EXPECT_EQ(rowOf(form.analysis.SG, 3),
            (std::vector<std::string>{"Stage 1/4 final", "0", "0", "0", "0", "0", "0", "0", "0"}));
  ASSERT_EQ(form.analysis.ScGrid.rowCount(), 3);
  EXPECT_EQ(rowOf(form.analysis.ScGrid, 1)[0], "Set 2");
  for (const GridModel* grid : {&form.analysis.LGrid1, &form.analysis.LGrid2, &form.analysis.HX,
                                &form.analysis.LG1, &form.analysis.LG2, &form.analysis.LG3})
    EXPECT_EQ(grid->rowCount(), 0) << grid->name();
  const std::vector<std::string> targets = server.targets();
  EXPECT_EQ(std::count(targets.begin(), targets.end(), "/kx/img/.png"), 2) << "one probe a card";
  EXPECT_EQ(std::count(targets.begin(), targets.end(), "/kx/img/kx_logo.jpg"), 2);
}

TEST_F(Analysis, ASecondAnalysisLeavesNothingOfTheFirst) {
  const std::string results = "<match><itog>W</itog><score>2:0</score></match>";
  serveDetail("1", test::record({{"bigname1", "Full Name"},
                                 {"Latest1", results},
                                 {"Latest2", results},
                                 {"H2H", "<match><itog>1</itog></match>"},
                                 {"stat1", "<win>3</win><loss>1</loss>"},
                                 {"scores", "<s160>4</s160>"},
                                 {"forecast", "<sco1>2:0</sco1><wt1>x</wt1>"}}));
  serveDetail("2", test::record({{"id", "2"}}));
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "1")));
  ASSERT_EQ(form.analysis.LGrid1.rowCount(), 1);
  ASSERT_TRUE(form.analysis.SG.cell(8, 0).colour);

  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "2")));
  EXPECT_EQ(cardLabels(), std::vector<std::string>(14, ""));
  for (const GridModel* grid : {&form.analysis.LGrid1, &form.analysis.LGrid2, &form.analysis.HX,
                                &form.analysis.LG1, &form.analysis.LG2, &form.analysis.LG3})
    EXPECT_EQ(grid->rowCount(), 0) << grid->name();
  EXPECT_EQ(rowOf(form.analysis.SG, 0),
            (std::vector<std::string>{"All Match", "0", "0", "0", "0", "0", "0", "0", "0"}));
  EXPECT_FALSE(form.analysis.SG.cell(8, 0).colour);
  EXPECT_EQ(form.analysis.ScGrid.text(1, 0), "");
  EXPECT_EQ(form.analysis.MatchGrid.text(0, 0), "2");
}

TEST_F(Analysis, TheStatsPageFollowsAnalysesFromTheLiveAndReportGridsOnly) {
  form.activePage = PageLive;
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "1")));
  EXPECT_EQ(form.activePage, PageLive);
  platform.finish(LGCellDblClick(ctx, 0, addRow(form.live.LG, "1")));
  EXPECT_EQ(form.activePage, PageStats);
  form.activePage = PageReport;
  platform.finish(RGCellDblClick(ctx, 0, addRow(form.line.RG, "1")));
  EXPECT_EQ(form.activePage, PageStats);
}

TEST_F(Analysis, TheLineGridTakesNoInputWhileTheAnalysisRunsHoweverItEnds) {
  std::vector<bool> enabledAtEvents;  // at each turn of the window's loop
  platform.onLoopTurn = [&] { enabledAtEvents.push_back(form.line.RX.enabled()); };
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "1")));
  EXPECT_EQ(enabledAtEvents, (std::vector<bool>{true, true, false, false}));
  EXPECT_TRUE(form.line.RX.enabled());

  for (const int failingRun : {3, 4}) {
    int runs = 0;
    platform.onLoopTurn = [&] {
      if (++runs == failingRun) throw std::runtime_error("unexpected");
    };
    // The window closes while the analysis waits: it ends there.
    EXPECT_THROW(platform.finish(RXCellDblClick(ctx, 0, 0)), std::runtime_error);
    EXPECT_TRUE(form.line.RX.enabled()) << failingRun;
  }
}

TEST_F(Analysis, TheClickedMatchIsReadBeforeWaitingEventsReplaceTheRows) {
  serveDetail("111", test::record({{"kf1", "-"}, {"kf2", "-"}}));
  struct Source {
    GridModel& grid;
    int oddsColumn;
    Task<> (*handler)(Context&, int, int);
  };
  for (const Source source :
       {Source{form.line.RX, 8, RXCellDblClick}, Source{form.live.LG, 9, LGCellDblClick}}) {
    source.grid.clear();
    addRow(source.grid, "111", source.oddsColumn);
    bool reloaded = false;
    platform.onLoopTurn = [&] {
      if (reloaded) return;
      reloaded = true;  // a reload while the analysis waits puts another match in row 0
      source.grid.clear();
      addRow(source.grid, "999", source.oddsColumn);
    };
    server.clearRequests();
    platform.finish(source.handler(ctx, 0, 0));
    EXPECT_EQ(server.targets().front(), "/kx/match.php?id=111") << source.grid.name();
    EXPECT_EQ(rowOf(form.analysis.KFGrid, 0), (std::vector<std::string>{"1.5111", "2.5111"}));
  }
}

TEST_F(Analysis, PicturesAreFetchedOnFreshConnectionsAndShown) {
  servePicture("p1.png", kRedPng);
  servePicture("kx_logo.jpg", kLogoJpeg);  // p2.png is missing
  serveDetail("1", test::record({{"id_home", "p1"}, {"id_away", "p2"}}));
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "1")));

  EXPECT_EQ(test::readFile(workdir / "1.jpg"), kRedPng);
  EXPECT_EQ(test::readFile(workdir / "2.jpg"), kLogoJpeg);
  EXPECT_EQ(form.analysis.LOGO1.source, "1.jpg");
  EXPECT_EQ(form.analysis.LOGO1.image.width, 48);
  EXPECT_EQ(form.analysis.LOGO1.image.height, 50);
  EXPECT_EQ(form.analysis.LOGO2.source, "2.jpg");
  EXPECT_EQ(form.analysis.LOGO2.image.width, 30);

  std::vector<int> connections;  // of IdHTTP1's own requests, the probes set aside
  for (const test::RecordedRequest& request : server.requests())
    if (request.header("User-Agent") != "InetURL:/1.0") connections.push_back(request.connectionId);
  ASSERT_EQ(connections.size(), 3u) << "the detail and two pictures";
  EXPECT_NE(connections[1], connections[0]);
  EXPECT_NE(connections[2], connections[1]);
}

TEST_F(Analysis, ACardWhosePictureDoesNotLoadKeepsTheOldOne) {
  servePicture("a.png", kRedPng);
  servePicture("b.png", kLogoJpeg);
  servePicture("junk.png", "<html>not a picture</html>");
  serveDetail("1", test::record({{"id_home", "a"}, {"id_away", "b"}}));
  serveDetail("2", test::record({{"id_home", "junk"}, {"id_away", "a"}}));
  serveDetail("3", test::record({{"id_home", "b"}, {"id_away", "junk"}}));
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "1")));
  ASSERT_EQ(form.analysis.LOGO2.image.width, 30);

  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "2")));
  EXPECT_EQ(test::readFile(workdir / "1.jpg"), "<html>not a picture</html>");
  EXPECT_EQ(form.analysis.LOGO1.image.width, 48);
  EXPECT_EQ(form.analysis.LOGO2.image.width, 30) << "the first failure skips the second card too";

  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "3")));
  EXPECT_EQ(form.analysis.LOGO1.image.width, 30);
  EXPECT_EQ(form.analysis.LOGO2.image.width, 30) << "still the first analysis' picture";
}

TEST_F(Analysis, APictureRefusedForItsSizeIsToldWhenItIsTheCardsFirstFailure) {
  servePicture("a.png", kRedPng);
  servePicture("wide.png", test::pngBytes(4097, 1, {0, 0, 0}));  // a side over 4096
  servePicture("junk.png", "<html>not a picture</html>");
  serveDetail("1", test::record({{"id_home", "a"}, {"id_away", "wide"}}));
  serveDetail("2", test::record({{"id_home", "wide"}, {"id_away", "a"}}));
  serveDetail("3", test::record({{"id_home", "junk"}, {"id_away", "wide"}}));
  const auto told = [&] {
    std::vector<std::string> texts;
    for (const Outcome& outcome : form.status.outcomes)
      if (outcome.failed) texts.push_back(outcome.text);
    return texts;
  };

  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "1")));
  EXPECT_EQ(form.analysis.LOGO1.image.width, 48);
  EXPECT_EQ(form.analysis.LOGO2.source, "placeholder");
  EXPECT_EQ(told(), std::vector<std::string>{"Player picture too large: not shown"});

  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "2")));
  EXPECT_EQ(test::readFile(workdir / "1.jpg"), test::pngBytes(4097, 1, {0, 0, 0}))
      << "the file stays the bytes received";
  EXPECT_EQ(form.analysis.LOGO1.image.width, 48) << "the refused card keeps its old face";
  EXPECT_EQ(form.analysis.LOGO2.source, "placeholder") << "and ends the block as any failure";
  EXPECT_EQ(told().size(), 2u);

  // Card 1 fails first, for another reason: card 2's size never comes into it.
  platform.finish(RXCellDblClick(ctx, 0, addRow(form.line.RX, "3")));
  EXPECT_EQ(told().size(), 2u);
}

}  // namespace
}  // namespace korvex
