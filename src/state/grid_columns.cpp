#include "state/grid_columns.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace korvex::columns {

namespace {

namespace c = colours;

// One column, described the way the designer's property sheet reads.
struct Col {
  ColumnDef def;

  explicit Col(std::string header, int width = 64) {
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

Col flag(int width) {
  return Col("", width).image(ImageList::Flags);
}

void addColumns(std::vector<ColumnDef>& grid, std::initializer_list<ColumnDef> more) {
  grid.insert(grid.end(), more.begin(), more.end());
}

// The same column repeated under each of `headers`.
void addSeries(std::vector<ColumnDef>& grid, std::initializer_list<const char*> headers,
               const Col& like) {
  for (const char* header : headers) {
    ColumnDef def = like;
    def.header = header;
    grid.push_back(std::move(def));
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

}  // namespace

std::vector<ColumnDef> RX() {
  std::vector<ColumnDef> grid{
      Col("ID", 25).hidden(),
      Col("", 20).checkBox().hidden(),
      flag(26),
      Col("", 21).image(ImageList::Gender),
      Col("DATE", 60).centre(),
      Col("TIME", 36).centre(),
      Col("HOME", 117).autoSize(),
      Col("AWAY", 117).autoSize(),
      Col("1", 34).centre().fill(c::Light3D),
      Col("2", 34).centre().fill(c::Light3D),
      Col("TV", 25).image(ImageList::Icons).hidden(),
      Col("", 24).image(ImageList::Icons).hidden(),
      Col("myscore").hidden(),
  };
  addSeries(grid, {"", "", "", "", "", "", ""}, Col("", 40).hidden());
  return styled(std::move(grid), c::ButtonText, c::LightAqua);
}

std::vector<ColumnDef> RG() {
  std::vector<ColumnDef> grid{
      Col("ID").centre().hidden(),
      flag(25),
      Col("", 25).image(ImageList::Gender),
      Col("LEAGUE", 143),
      Col("DATE", 60).centre(),
      Col("TIME", 34).centre(),
      Col("HOME", 109),
      Col("AWAY", 113),
      Col("WIN1", 31).centre().fill(c::Orange),
      Col("WIN2", 32).centre().fill(c::Orange),
      Col("IT1", 26).centre().bold(),
      Col("IT2", 23).centre().bold(),
      Col("PR1,%", 38).centre().fill(c::Orange),
      Col("PR2,%", 38).centre().fill(c::Orange),
      Col("LG1", 30).centre().hint("Latest Home Match"),
      Col("LG2", 30).centre().hint("Latest Away Match"),
      Col("H2H", 30).centre().bold().ink(c::Blue).fill(c::LightYellow).hint("Head-To-Head"),
  };
  auto line = [](const char* header, int width) {
    return Col(header, width).centre().font(12).fill(c::GreyGreen);
  };
  addColumns(grid, {line("Hand1", 36).bold(), line("Kf1", 28), line("Hand2", 40).bold(),
                    line("Kf2", 31), line("Total", 37).bold(), line("U", 25), line("O", 25)});
  return styled(std::move(grid), c::ButtonText, c::LightAqua);
}

std::vector<ColumnDef> LG() {
  std::vector<ColumnDef> grid{
      Col("ID").centre().hidden(),
      flag(25),
      Col("Start", 38).centre(),
      Col("Set", 25).centre().ink(c::Highlight).fill(c::LightYellow),
      Col("Time", 34).centre().ink(c::Purple).hidden(),
      Col("", 20).image(ImageList::Icons),
      Col("HOME", 114),
      Col("", 20).image(ImageList::Icons),
      Col("AWAY", 119),
      Col("1", 32).centre().ink(c::Maroon),
      Col("2", 32).centre().ink(c::Maroon),
      Col("SCORE", 45).centre().bold().ink(c::Blue).fill(c::LightYellow),
  };
  addSeries(grid, {"S1", "S2", "S3", "S4", "S5"}, Col("", 32).centre());
  // The radar's figures, copied in by the live load, are set apart by their headers.
  auto radar = [](const char* header, int width) {
    return Col(header, width).centre().headed(c::MoneyGreen);
  };
  addColumns(grid, {radar("1", 32).bold(), radar("%", 40), radar("2", 30).bold(), radar("%", 40),
                    radar("Money", 64)});
  return styled(std::move(grid), c::ButtonText, c::GradientActiveCaption);
}

std::vector<ColumnDef> IP() {
  std::vector<ColumnDef> grid{Col("ID").centre().hidden()};
  addSeries(
      grid,
      {"Pre1, %", "Chance1, %", "Fair1", "Fair2", "Edge1, %", "Edge2, %", "Hold, %", "Set1, %"},
      Col("", 64).centre());
  return styled(std::move(grid), c::ButtonText, c::GradientActiveCaption);
}

std::vector<ColumnDef> RB() {
  auto odds = [](const char* header) { return Col(header, 40).centre().bold().fill(c::ScrollBar); };
  const Col percent = Col("%", 40).centre();
  const Col money = Col("$", 65).centre().italic().ink(c::Navy);
  std::vector<ColumnDef> grid{
      Col("ID", 37).centre().hidden(),
      Col("DATE", 69).centre(),
      Col("TIME", 47).centre(),
      flag(28).centre(),
      Col("HOME", 97),
      Col("AWAY", 120),
      Col("1X2Mark").hidden(),
      Col("MARK1").hidden(),
      Col("MARK2").hidden(),
      odds("1"),
      percent,
      money,
      odds("2"),
      percent,
      money,
      Col("Status", 45).centre(),
      Col("Score", 44).centre(),
  };
  // "Status" and "Score" keep the toolkit's own header colour.
  return styled(std::move(grid), c::ButtonText, c::GradientActiveCaption, 15);
}

std::vector<ColumnDef> SBX() {
  std::vector<ColumnDef> grid{
      Col("ID", 69).centre().hidden(), Col("DATE", 69).centre(),
      Col("TIME", 46).centre(),        flag(30).centre(),
      Col("HOME", 97).centre(),        Col("AWAY", 119).centre(),
      Col("BET", 40).centre(),         Col("Odd", 40).centre(),
      Col("Precent", 64).centre(),     Col("Sum").centre(),
      Col("TIME", 65).centre(),        Col("Status", 47),
  };
  return styled(std::move(grid), c::ButtonText, c::InactiveCaption, 11);
}

std::vector<ColumnDef> MatchGrid() {
  return {
      Col("ID").hidden(),
      Col("Date", 60).centre(),
      Col("Time", 45).centre(),
      Col("Flag", 20).image(ImageList::Flags),
      Col("Tournament", 365).bold().autoSize(),
      Col("TV", 25).image(ImageList::None),
      Col("Status", 40).centre().bold().ink(c::Yellow),
  };
}

std::vector<ColumnDef> KFGrid() {
  auto odds = [](const char* header, int width) {
    return Col(header, width).centre().bold().autoSize().ink(c::Rose);
  };
  return {odds("Win1", 42), odds("Win2", 43)};
}

std::vector<ColumnDef> SG() {
  std::vector<ColumnDef> grid{Col("Param", 113).fill(c::ScrollBar)};
  addSeries(grid, {"Win1, %", "Loss1, %", "Count1", "Win2, %", "Loss2, %", "Count2"},
            Col("", 50).number().centre().fill(c::PaleGrey));
  addSeries(grid, {"Win1, %", "Win2, %"}, Col("", 60).number().centre().bold().fill(c::Silver));
  return grid;
}

std::vector<ColumnDef> VG() {
  // Plain figures throughout, so that the bold best row and the coloured edges stand out.
  auto figure = [](const char* header) { return Col(header, 75).centre().fill(c::PaleGrey); };
  return {Col("Param", 113).fill(c::ScrollBar),
          Col("N", 40)
              .centre()
              .fill(c::PaleGrey)
              .hint("Matches behind the chances, both players together"),
          figure("Fair1"),
          figure("Edge1, %"),
          figure("Kelly1, %"),
          figure("Fair2"),
          figure("Edge2, %"),
          figure("Kelly2, %")};
}

std::vector<ColumnDef> ScGrid() {
  std::vector<ColumnDef> grid{Col("Set", 95).fill(c::PaleGrey)};
  addSeries(grid,
            {"6:0", "6:1", "6:2", "6:3", "6:4", "7:5", "7:6", "6:7", "5:7", "4:6", "3:6", "2:6",
             "1:6", "0:6"},
            Col("", 32).centre().ink(c::Navy).fill(c::PaleGrey));
  return grid;
}

std::vector<ColumnDef> LGrid() {
  std::vector<ColumnDef> grid{
      Col("Date", 60).centre(),
      flag(25),
      Col("Stage", 35).centre().fill(c::ScrollBar),
      Col("Home", 78).autoSize(),
      Col("Away", 78).autoSize(),
      Col("Score", 65).centre().bold().fill(c::DeepOrange),
  };
  addSeries(grid, {"Set1", "Set2", "Set3", "Set4", "Set5"}, Col("", 30).centre());
  addColumns(grid, {Col("Rez", 35).centre().bold().ink(c::Black), Col("Total", 30).centre()});
  return grid;
}

std::vector<ColumnDef> HX() {
  return {
      Col("Date", 60).centre(),
      flag(25),
      Col("Home", 88).autoSize(),
      Col("Away", 88).autoSize(),
      Col("Score", 65).centre().bold().fill(c::DeepOrange),
      Col("Set", 194).fill(c::Peach),
      Col("Rez", 35).centre().ink(c::Purple),
  };
}

std::vector<ColumnDef> LGStrip(bool buttonTextColour) {
  std::vector<ColumnDef> grid;
  addSeries(grid, {"1", "2", "3", "4", "5", "6"},
            Col("").centre().bold().ink(buttonTextColour ? c::ButtonText : c::Black));
  return grid;
}

std::vector<ColumnDef> MV() {
  auto figure = [](const char* header) { return Col(header, 60).centre(); };
  std::vector<ColumnDef> grid{Col("ID").hidden(), figure("Open1"),    figure("Open2"),
                              figure("Move1, %"), figure("Move2, %"), figure("Changes").number()};
  return styled(std::move(grid), c::ButtonText, c::LightAqua);
}

std::vector<ColumnDef> SH() {
  // The journal's columns first, as the journal shows them, then what became of the bet.
  std::vector<ColumnDef> grid{
      Col("At", 130).centre(),     Col("ID", 69).centre().hidden(),
      Col("HOME", 97).centre(),    Col("AWAY", 119).centre(),
      Col("BET", 40).centre(),     Col("Odd", 40).centre(),
      Col("Precent", 64).centre(), Col("Sum").centre(),
      Col("Now", 40).centre(),     Col("Move, %", 60).centre(),
      Col("Result", 50).centre(),  Col("P/L", 50).centre().bold(),
  };
  return styled(std::move(grid), c::ButtonText, c::InactiveCaption);
}

}  // namespace korvex::columns
