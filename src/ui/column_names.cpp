#include "ui/column_names.h"

#include <cctype>
#include <string_view>
#include <utility>
#include <vector>

#include "state/grid_columns.h"
#include "ui/qt_text.h"

namespace korvex::ui {

namespace {

struct Named {
  int col;
  const char* name;
  bool inMenu = true;
};

template <typename Column>
Named named(Column col, const char* name, bool inMenu = true) {
  return {columnIndex(col), name, inMenu};
}

// The line and the report share their handicap and total columns.
template <typename Column>
void addLines(std::vector<Named>& names, Column hand1) {
  const char* lines[] = {"Hand1", "Kf1", "Hand2", "Kf2", "Total", "Under", "Over"};
  for (int i = 0; i < 7; ++i) names.push_back({columnAfter(hand1, i), lines[i]});
}

std::vector<Named> lineNames() {
  using enum RxColumn;
  std::vector<Named> names{
      named(Id, "ID"),
      named(Selected, "Selected", false),  // nothing ever ticks it
      named(Flag, "Flag"),
      named(Gender, "Gender"),
      named(Date, "Date"),
      named(Time, "Time"),
      named(Home, "Home"),
      named(Away, "Away"),
      named(Odds1, "Odds 1"),
      named(Odds2, "Odds 2"),
      named(Tv, "TV", false),  // never filled by the feed
      named(RadarMark, "On the radar"),
      named(MyScore, "myscore", false),
  };
  addLines(names, Hand1);
  return names;
}

std::vector<Named> reportNames() {
  using enum RgColumn;
  std::vector<Named> names{
      named(Id, "ID"),
      named(Flag, "Flag"),
      named(Gender, "Gender"),
      named(League, "League"),
      named(Date, "Date"),
      named(Time, "Time"),
      named(Home, "Home"),
      named(Away, "Away"),
      named(Win1, "Win1"),
      named(Win2, "Win2"),
      named(It1, "IT1"),
      named(It2, "IT2"),
      named(Percent1, "PR1, %"),
      named(Percent2, "PR2, %"),
      named(Latest1, "Latest home match"),
      named(Latest2, "Latest away match"),
      named(H2H, "Head-to-head"),
  };
  addLines(names, Hand1);
  return names;
}

std::vector<Named> liveNames() {
  using enum LgColumn;
  std::vector<Named> names{
      named(Id, "ID"),
      named(Flag, "Flag"),
      named(Start, "Start"),
      named(Set, "Set"),
      named(Time, "Time"),
      named(Serve1, "Serve 1"),
      named(Home, "Home"),
      named(Serve2, "Serve 2"),
      named(Away, "Away"),
      // Both the bookmaker's and the exchange's odds are captioned "1" and "2".
      named(Odds1, "Bookmaker 1"),
      named(Odds2, "Bookmaker 2"),
      named(Score, "Score"),
      named(RadarOdds1, "Exchange 1"),
      named(RadarPercent1, "Exchange 1, %"),
      named(RadarOdds2, "Exchange 2"),
      named(RadarPercent2, "Exchange 2, %"),
      named(RadarMoney, "Exchange money"),
  };
  const char* sets[] = {"Set 1", "Set 2", "Set 3", "Set 4", "Set 5"};
  for (int i = 0; i < 5; ++i) names.push_back({columnAfter(Set1, i), sets[i]});
  return names;
}

std::vector<Named> radarNames() {
  using enum RbColumn;
  return {named(Id, "ID"),
          named(Date, "Date"),
          named(Time, "Time"),
          named(Flag, "Flag"),
          named(Home, "Home"),
          named(Away, "Away"),
          named(Market, "Market"),
          named(Selection1, "Selection 1"),
          named(Selection2, "Selection 2"),
          named(Odds1, "Exchange 1"),
          named(Percent1, "Share 1, %"),
          named(Money1, "Money 1"),
          named(Odds2, "Exchange 2"),
          named(Percent2, "Share 2, %"),
          named(Money2, "Money 2"),
          named(Status, "Status"),
          named(Score, "Score")};
}

std::vector<Named> journalNames() {
  using enum SbxColumn;
  return {named(Id, "ID"),
          named(Date, "Date"),
          named(Time, "Start"),
          named(Flag, "Flag"),
          named(Home, "Home"),
          named(Away, "Away"),
          named(Bet, "Bet"),
          named(Odds, "Odds"),
          named(Percent, "Percent"),
          named(Sum, "Sum"),
          named(JournalTime, "Journaled at"),
          named(Status, "Status")};
}

const std::vector<Named>& namesOf(std::string_view grid) {
  static const std::vector<std::pair<std::string_view, std::vector<Named>>> kNames{
      {"RX", lineNames()},  {"RG", reportNames()},   {"LG", liveNames()},
      {"RB", radarNames()}, {"SBX", journalNames()},
  };
  static const std::vector<Named> kNone;
  for (const auto& [name, names] : kNames)
    if (name == grid) return names;
  return kNone;
}

const Named* find(const GridModel& grid, int col) {
  for (const Named& named : namesOf(grid.name()))
    if (named.col == col) return &named;
  return nullptr;
}

// A caption of two letters or more is a word; "", "1", "%", "$", "U" and "S1" are not.
bool isWord(std::string_view caption) {
  int letters = 0;
  for (const char c : caption)
    if (std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0xC0)
      ++letters;
  return letters >= 2;
}

}  // namespace

QString columnName(const GridModel& grid, int col) {
  if (const Named* named = find(grid, col)) return QString::fromLatin1(named->name);
  const ColumnDef& def = grid.column(col);
  if (!def.headerHint.empty()) return fromCp1251(def.headerHint);
  if (!def.header.empty()) return fromCp1251(def.header);
  return QStringLiteral("Column %1").arg(col + 1);
}

bool inColumnMenu(const GridModel& grid, int col) {
  const Named* named = find(grid, col);
  return named == nullptr || named->inMenu;
}

std::string copyCaption(const GridModel& grid, int col) {
  const std::string& caption = grid.column(col).header;
  if (isWord(caption)) return caption;
  return columnName(grid, col).toStdString();  // the names are plain ASCII
}

}  // namespace korvex::ui
