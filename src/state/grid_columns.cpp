#include "state/grid_columns.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace korvex::columns {

namespace {

namespace c = colours;

// One column, described the way the designer's property sheet reads, at the place its
// enum value names.
struct Col {
  ColumnDef def;

  Col(ColumnName auto column, std::string header, int width = 64) {
    def.place = columnIndex(column);
    def.header = std::move(header);
    def.width = width;
  }
  Col& hidden() { return set(def.visible, false); }
  Col& centre() { return set(def.align, Align::Centre); }
  Col& bold() { return set(def.bold, true); }
  Col& italic() { return set(def.italic, true); }
  Col& autoSize() { return set(def.autoSize, true); }
  Col& font(int pixels) { return set(def.fontSize, pixels); }
  Col& ink(Colour colour) { return set(def.textColour, colour); }
  Col& fill(Colour colour) { return set(def.background, colour); }
  Col& headed(Colour colour) { return set(def.headerColour, colour); }
  Col& hint(std::string text) { return set(def.headerHint, std::move(text)); }
  // What the window calls it where the caption does not say.
  Col& named(std::string name) { return set(def.name, std::move(name)); }
  Col& offMenu() { return set(def.inMenu, false); }
  Col& number() { return set(def.kind, ColumnKind::Number); }
  Col& checkBox() { return set(def.kind, ColumnKind::CheckBox); }
  Col& image(ImageList list) {
    def.kind = ColumnKind::Image;
    return set(def.images, list);
  }

  operator ColumnDef() const { return def; }

 private:
  template <typename Field, typename Value>
  Col& set(Field& field, Value&& value) {
    field = std::forward<Value>(value);
    return *this;
  }
};

Col flag(ColumnName auto column, int width) {
  return Col(column, "", width).image(ImageList::Flags).named("Flag");
}

void addColumns(std::vector<ColumnDef>& grid, std::initializer_list<ColumnDef> more) {
  grid.insert(grid.end(), more.begin(), more.end());
}

// The same column repeated under each of `headers`, from the place of `first` on; each
// takes the matching one of `names` when there are any.
void addSeries(std::vector<ColumnDef>& grid, ColumnName auto first,
               std::initializer_list<const char*> headers, Col like,
               std::initializer_list<const char*> names = {}) {
  int offset = 0;
  for (const char* header : headers) {
    ColumnDef def = like;
    def.place = columnAfter(first, offset);
    def.header = header;
    if (std::cmp_less(offset, names.size())) def.name = names.begin()[offset];
    grid.push_back(std::move(def));
    ++offset;
  }
}

// Grid-wide looks: every column that does not set its own takes these.
// Only the first `headedColumns` columns take the grid's header colour.
std::vector<ColumnDef> styled(std::vector<ColumnDef> grid, Colour ink, Colour header,
                              std::size_t headedColumns = SIZE_MAX) {
  for (std::size_t i = 0; i < grid.size(); ++i) {
    if (!grid[i].textColour) grid[i].textColour = ink;
    if (!grid[i].headerColour && i < headedColumns) grid[i].headerColour = header;
  }
  return grid;
}

// The columns a filter's words are looked for in: the players and the tournament (a flag
// column's hint names the country and the tournament).
template <typename Column>
std::vector<int> searchedIn(std::initializer_list<Column> columns) {
  std::vector<int> searched;
  for (const Column col : columns) searched.push_back(columnIndex(col));
  return searched;
}

// What the window calls the handicap and total lines of the line and the report.
constexpr std::initializer_list<const char*> kLineNames{"Hand1", "Kf1",   "Hand2", "Kf2",
                                                        "Total", "Under", "Over"};

}  // namespace

GridDescription RX() {
  using enum RxColumn;
  std::vector<ColumnDef> grid{
      Col(Id, "ID", 25).hidden(),
      Col(Selected, "", 20).checkBox().hidden().named("Selected").offMenu(),  // never ticked
      flag(Flag, 26),
      Col(Gender, "", 21).image(ImageList::Gender).named("Gender"),
      Col(Date, "DATE", 60).centre().named("Date"),
      Col(Time, "TIME", 36).centre().named("Time"),
      Col(Home, "HOME", 117).autoSize().named("Home"),
      Col(Away, "AWAY", 117).autoSize().named("Away"),
      Col(Odds1, "1", 34).centre().fill(c::Light3D).named("Odds 1"),
      Col(Odds2, "2", 34).centre().fill(c::Light3D).named("Odds 2"),
      Col(Tv, "TV", 25).image(ImageList::Icons).hidden().offMenu(),  // never filled by the feed
      Col(RadarMark, "", 24).image(ImageList::Icons).hidden().named("On the radar"),
      Col(MyScore, "myscore").hidden().offMenu(),
  };
  addSeries(grid, Hand1, {"", "", "", "", "", "", ""}, Col(Hand1, "", 40).hidden(), kLineNames);
  return {.name = "RX",
          .columns = styled(std::move(grid), c::ButtonText, c::LightAqua),
          .look = {.rowSelect = true,
                   .resizableRows = true,
                   .list = true,
                   .tournamentHint = columnIndex(Flag),
                   .gridLines = c::DeepOrange},
          .idColumn = columnIndex(Id),
          .searched = searchedIn({Flag, Home, Away}),
          .fileName = "line"};
}

GridDescription RG() {
  using enum RgColumn;
  std::vector<ColumnDef> grid{
      Col(Id, "ID").centre().hidden(),
      flag(Flag, 25),
      Col(Gender, "", 25).image(ImageList::Gender).named("Gender"),
      Col(League, "LEAGUE", 143).named("League"),
      Col(Date, "DATE", 60).centre().named("Date"),
      Col(Time, "TIME", 34).centre().named("Time"),
      Col(Home, "HOME", 109).named("Home"),
      Col(Away, "AWAY", 113).named("Away"),
      Col(Win1, "WIN1", 31).centre().fill(c::Orange).named("Win1"),
      Col(Win2, "WIN2", 32).centre().fill(c::Orange).named("Win2"),
      Col(It1, "IT1", 26).centre().bold(),
      Col(It2, "IT2", 23).centre().bold(),
      Col(Percent1, "PR1,%", 38).centre().fill(c::Orange).named("PR1, %"),
      Col(Percent2, "PR2,%", 38).centre().fill(c::Orange).named("PR2, %"),
      Col(Latest1, "LG1", 30).centre().hint("Latest Home Match").named("Latest home match"),
      Col(Latest2, "LG2", 30).centre().hint("Latest Away Match").named("Latest away match"),
      Col(H2H, "H2H", 30)
          .centre()
          .bold()
          .ink(c::Blue)
          .fill(c::LightYellow)
          .hint("Head-To-Head")
          .named("Head-to-head"),
  };
  auto line = [](RgColumn column, const char* header, int width) {
    return Col(column, header, width).centre().font(12).fill(c::GreyGreen);
  };
  addColumns(
      grid, {line(Hand1, "Hand1", 36).bold(), line(Kf1, "Kf1", 28), line(Hand2, "Hand2", 40).bold(),
             line(Kf2, "Kf2", 31), line(Total, "Total", 37).bold(),
             line(Under, "U", 25).named("Under"), line(Over, "O", 25).named("Over")});
  return {.name = "RG",
          .columns = styled(std::move(grid), c::ButtonText, c::LightAqua),
          .look = {.rowSelect = true, .list = true, .gridLines = c::DeepOrange},
          .idColumn = columnIndex(Id),
          .searched = searchedIn({Flag, League, Home, Away}),
          .fileName = "report"};
}

GridDescription LG() {
  using enum LgColumn;
  std::vector<ColumnDef> grid{
      Col(Id, "ID").centre().hidden(),
      flag(Flag, 25),
      Col(Start, "Start", 38).centre(),
      Col(Set, "Set", 25).centre().ink(c::Highlight).fill(c::LightYellow),
      Col(Time, "Time", 34).centre().ink(c::Purple).hidden(),
      Col(Serve1, "", 20).image(ImageList::Icons).named("Serve 1"),
      Col(Home, "HOME", 114).named("Home"),
      Col(Serve2, "", 20).image(ImageList::Icons).named("Serve 2"),
      Col(Away, "AWAY", 119).named("Away"),
      // Both the bookmaker's and the exchange's odds are captioned "1" and "2".
      Col(Odds1, "1", 32).centre().ink(c::Maroon).named("Bookmaker 1"),
      Col(Odds2, "2", 32).centre().ink(c::Maroon).named("Bookmaker 2"),
      Col(Score, "SCORE", 45).centre().bold().ink(c::Blue).fill(c::LightYellow).named("Score"),
  };
  addSeries(grid, Set1, {"S1", "S2", "S3", "S4", "S5"}, Col(Set1, "", 32).centre(),
            {"Set 1", "Set 2", "Set 3", "Set 4", "Set 5"});
  // The radar's figures, copied in by the live load, are set apart by their headers.
  auto radar = [](LgColumn column, const char* header, int width, const char* name) {
    return Col(column, header, width).centre().headed(c::MoneyGreen).named(name);
  };
  addColumns(grid, {radar(RadarOdds1, "1", 32, "Exchange 1").bold(),
                    radar(RadarPercent1, "%", 40, "Exchange 1, %"),
                    radar(RadarOdds2, "2", 30, "Exchange 2").bold(),
                    radar(RadarPercent2, "%", 40, "Exchange 2, %"),
                    radar(RadarMoney, "Money", 64, "Exchange money")});
  return {.name = "LG",
          .columns = styled(std::move(grid), c::ButtonText, c::GradientActiveCaption),
          .look = {.rowSelect = true,
                   .list = true,
                   .flashChanges = true,
                   .tournamentHint = columnIndex(Flag),
                   .gridLines = c::Lavender},
          .idColumn = columnIndex(Id),
          .searched = searchedIn({Flag, Home, Away}),
          .fileName = "live"};
}

GridDescription IP() {
  std::vector<ColumnDef> grid{Col(IpColumn::Id, "ID").centre().hidden()};
  addSeries(
      grid, IpColumn::Pre1,
      {"Pre1, %", "Chance1, %", "Fair1", "Fair2", "Edge1, %", "Edge2, %", "Hold, %", "Set1, %"},
      Col(IpColumn::Pre1, "", 64).centre());
  return {.name = "IP",
          .columns = styled(std::move(grid), c::ButtonText, c::GradientActiveCaption),
          .idColumn = columnIndex(IpColumn::Id)};
}

GridDescription RB() {
  using enum RbColumn;
  auto odds = [](RbColumn column, const char* header, const char* name) {
    return Col(column, header, 40).centre().bold().fill(c::ScrollBar).named(name);
  };
  auto percent = [](RbColumn column, const char* name) {
    return Col(column, "%", 40).centre().named(name);
  };
  auto money = [](RbColumn column, const char* name) {
    return Col(column, "$", 65).centre().italic().ink(c::Navy).named(name);
  };
  std::vector<ColumnDef> grid{
      Col(Id, "ID", 37).centre().hidden(),
      Col(Date, "DATE", 69).centre().named("Date"),
      Col(Time, "TIME", 47).centre().named("Time"),
      flag(Flag, 28).centre(),
      Col(Home, "HOME", 97).named("Home"),
      Col(Away, "AWAY", 120).named("Away"),
      Col(Market, "1X2Mark").hidden().named("Market"),
      Col(Selection1, "MARK1").hidden().named("Selection 1"),
      Col(Selection2, "MARK2").hidden().named("Selection 2"),
      odds(Odds1, "1", "Exchange 1"),
      percent(Percent1, "Share 1, %"),
      money(Money1, "Money 1"),
      odds(Odds2, "2", "Exchange 2"),
      percent(Percent2, "Share 2, %"),
      money(Money2, "Money 2"),
      Col(Status, "Status", 45).centre(),
      Col(Score, "Score", 44).centre(),
  };
  // "Status" and "Score" keep the toolkit's own header colour.
  return {.name = "RB",
          .columns = styled(std::move(grid), c::ButtonText, c::GradientActiveCaption, 15),
          .look = {.list = true, .gridLines = c::ActiveBorder},
          .idColumn = columnIndex(Id),
          .searched = searchedIn({Flag, Home, Away}),
          .fileName = "radar"};
}

GridDescription SBX() {
  using enum SbxColumn;
  std::vector<ColumnDef> grid{
      Col(Id, "ID", 69).centre().hidden(),
      Col(Date, "DATE", 69).centre().named("Date"),
      Col(Time, "TIME", 46).centre().named("Start"),
      flag(Flag, 30).centre(),
      Col(Home, "HOME", 97).centre().named("Home"),
      Col(Away, "AWAY", 119).centre().named("Away"),
      Col(Bet, "BET", 40).centre().named("Bet"),
      Col(Odds, "Odd", 40).centre().named("Odds"),
      Col(Percent, "Precent", 64).centre().named("Percent"),
      Col(Sum, "Sum").centre(),
      Col(JournalTime, "TIME", 65).centre().named("Journaled at"),
      Col(Status, "Status", 47),
  };
  return {.name = "SBX",
          .columns = styled(std::move(grid), c::ButtonText, c::InactiveCaption, 11),
          .look = {.list = true, .gridLines = c::AppWorkspace},
          .idColumn = columnIndex(Id),
          .searched = searchedIn({Flag, Home, Away}),
          .fileName = "journal"};
}

GridDescription MatchGrid() {
  using enum MatchColumn;
  return {.name = "MatchGrid",
          .columns =
              {
                  Col(Id, "ID").hidden(),
                  Col(Date, "Date", 60).centre(),
                  Col(Time, "Time", 45).centre(),
                  Col(Flag, "Flag", 20).image(ImageList::Flags),
                  Col(Tournament, "Tournament", 365).bold().autoSize(),
                  Col(Tv, "TV", 25).image(ImageList::None),
                  Col(Status, "Status", 40).centre().bold().ink(c::Yellow),
              },
          .look = {.header = false, .gridLines = c::MidGrey}};
}

GridDescription KFGrid() {
  auto odds = [](KfColumn column, const char* header, int width) {
    return Col(column, header, width).centre().bold().autoSize().ink(c::Rose);
  };
  return {.name = "KFGrid",
          .columns = {odds(KfColumn::Win1, "Win1", 42), odds(KfColumn::Win2, "Win2", 43)}};
}

GridDescription SG() {
  std::vector<ColumnDef> grid{Col(SgColumn::Param, "Param", 113).fill(c::ScrollBar)};
  addSeries(grid, SgColumn::Win1,
            {"Win1, %", "Loss1, %", "Count1", "Win2, %", "Loss2, %", "Count2"},
            Col(SgColumn::Win1, "", 50).number().centre().fill(c::PaleGrey));
  addSeries(grid, SgColumn::Chance1, {"Win1, %", "Win2, %"},
            Col(SgColumn::Chance1, "", 60).number().centre().bold().fill(c::Silver));
  return {.name = "SG",
          .columns = std::move(grid),
          .look = {.gridLines = c::ActiveCaption, .background = c::PaleGrey}};
}

GridDescription VG() {
  using enum VgColumn;
  // Plain figures throughout, so that the bold best row and the coloured edges stand out.
  auto figure = [](VgColumn column, const char* header) {
    return Col(column, header, 75).centre().fill(c::PaleGrey);
  };
  return {
      .name = "VG",
      .columns = {Col(Param, "Param", 113).fill(c::ScrollBar),
                  Col(Matches, "N", 40)
                      .centre()
                      .fill(c::PaleGrey)
                      .hint("Matches behind the chances, both players together"),
                  figure(Fair1, "Fair1"), figure(Edge1, "Edge1, %"), figure(Kelly1, "Kelly1, %"),
                  figure(Fair2, "Fair2"), figure(Edge2, "Edge2, %"), figure(Kelly2, "Kelly2, %")}};
}

GridDescription ScGrid() {
  std::vector<ColumnDef> grid{Col(ScColumn::Set, "Set", 95).fill(c::PaleGrey)};
  addSeries(grid, ScColumn::FirstScore,
            {"6:0", "6:1", "6:2", "6:3", "6:4", "7:5", "7:6", "6:7", "5:7", "4:6", "3:6", "2:6",
             "1:6", "0:6"},
            Col(ScColumn::FirstScore, "", 32).centre().ink(c::Navy).fill(c::PaleGrey));
  return {.name = "ScGrid", .columns = std::move(grid), .look = {.background = c::PaleGrey}};
}

GridDescription LGrid(std::string name) {
  using enum LGridColumn;
  std::vector<ColumnDef> grid{
      Col(Date, "Date", 60).centre(),
      flag(Flag, 25),
      Col(Stage, "Stage", 35).centre().fill(c::ScrollBar),
      Col(Home, "Home", 78).autoSize(),
      Col(Away, "Away", 78).autoSize(),
      Col(Score, "Score", 65).centre().bold().fill(c::DeepOrange),
  };
  addSeries(grid, Set1, {"Set1", "Set2", "Set3", "Set4", "Set5"}, Col(Set1, "", 30).centre());
  addColumns(grid,
             {Col(Rez, "Rez", 35).centre().bold().ink(c::Black), Col(Total, "Total", 30).centre()});
  return {.name = std::move(name),
          .columns = std::move(grid),
          .look = {.rowSelect = true, .gridLines = c::SteelBlue}};
}

GridDescription HX() {
  using enum HxColumn;
  return {.name = "HX",
          .columns =
              {
                  Col(Date, "Date", 60).centre(),
                  flag(Flag, 25),
                  Col(Home, "Home", 88).autoSize(),
                  Col(Away, "Away", 88).autoSize(),
                  Col(Score, "Score", 65).centre().bold().fill(c::DeepOrange),
                  Col(Sets, "Set", 194).fill(c::Peach),
                  Col(Rez, "Rez", 35).centre().ink(c::Purple),
              },
          .look = {.rowSelect = true, .gridLines = c::SteelBlue}};
}

GridDescription LGStrip(std::string name, bool buttonTextColour) {
  std::vector<ColumnDef> grid;
  addSeries(grid, StripColumn::Latest, {"1", "2", "3", "4", "5", "6"},
            Col(StripColumn::Latest, "")
                .centre()
                .bold()
                .ink(buttonTextColour ? c::ButtonText : c::Black));
  return {.name = std::move(name), .columns = std::move(grid)};
}

GridDescription MV() {
  using enum MvColumn;
  auto figure = [](MvColumn column, const char* header) {
    return Col(column, header, 60).centre();
  };
  std::vector<ColumnDef> grid{Col(Id, "ID").hidden(),    figure(Open1, "Open1"),
                              figure(Open2, "Open2"),    figure(Move1, "Move1, %"),
                              figure(Move2, "Move2, %"), figure(Changes, "Changes").number()};
  return {.name = "MV",
          .columns = styled(std::move(grid), c::ButtonText, c::LightAqua),
          .idColumn = columnIndex(Id)};
}

GridDescription SH() {
  using enum ShColumn;
  // The journal's columns first, as the journal shows them, then what became of the bet.
  std::vector<ColumnDef> grid{
      Col(At, "At", 130).centre(),          Col(Id, "ID", 69).centre().hidden(),
      Col(Home, "HOME", 97).centre(),       Col(Away, "AWAY", 119).centre(),
      Col(Bet, "BET", 40).centre(),         Col(Odds, "Odd", 40).centre(),
      Col(Percent, "Precent", 64).centre(), Col(Sum, "Sum").centre(),
      Col(Now, "Now", 40).centre(),         Col(Move, "Move, %", 60).centre(),
      Col(Result, "Result", 50).centre(),   Col(ProfitLoss, "P/L", 50).centre().bold(),
  };
  // A signal is known by the moment it was journaled: one match may give several.
  return {.name = "SH",
          .columns = styled(std::move(grid), c::ButtonText, c::InactiveCaption),
          .look = {.list = true, .gridLines = c::AppWorkspace},
          .idColumn = columnIndex(At)};
}

}  // namespace korvex::columns
