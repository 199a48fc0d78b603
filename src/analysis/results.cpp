#include "analysis/results.h"

#include "analysis/league_text.h"
#include "state/grid_columns.h"
#include "text/country_flags.h"
#include "text/feed_text.h"

namespace korvex {

namespace {

constexpr int kStripColumns = 6;

// Which "itog" values count as a result, and where the detail grid shows them.
struct ResultRule {
  int column;  // a grid's Rez column
  std::string_view won;
  std::string_view lost;
};

// Walks the section's blocks: writeRow fills a fresh detail row, then the result cell and
// the strip follow the same rule for all three lists.
template <typename WriteRow>
void fillResults(GridModel& detail, GridModel& strip, std::string_view section, ResultRule rule,
                 WriteRow writeRow) {
  int index = 0;
  scanNestedMatchBlocks(section, [&](std::string_view block) {
    strip.setRowCount(2);
    const int r = detail.appendRow();
    writeRow(block, r);
    const std::string_view result = ExtractTag(block, "itog");
    if (result == rule.won || result == rule.lost) {
      detail.setText(rule.column, r, result);
      detail.setColour(rule.column, r, result == rule.won ? colours::Green : colours::Red);
    }
    if (index < kStripColumns) {
      // The strip shows what the service sent, even a value the detail grid rejects.
      const int match = columnAfter(StripColumn::Latest, index);
      strip.setText(match, 0, result);
      strip.setColour(match, 0, detail.cell(rule.column, r).colour);
      strip.setText(match, 1, ExtractTag(block, "score"));
    }
    ++index;
  });
}

}  // namespace

void fillRecentResults(GridModel& detail, GridModel& strip, std::string_view section) {
  const ResultRule rule{columnIndex(LGridColumn::Rez), "W", "L"};
  fillResults(detail, strip, section, rule, [&](std::string_view block, int r) {
    const League league = splitLeague(ExtractTag(block, "liga"));
    detail.setText(LGridColumn::Date, r, ExtractTag(block, "date"));
    detail.setValue(LGridColumn::Flag, r, CountryFlagIndex(league.country));
    detail.setHint(LGridColumn::Flag, r, league.tournament);
    int offset = 0;
    for (const char* tag :
         {"stage", "home", "away", "score", "set1", "set2", "set3", "set4", "set5"})
      detail.setText(columnAfter(LGridColumn::Stage, offset++), r, ExtractTag(block, tag));
    detail.setText(LGridColumn::Total, r, ExtractTag(block, "total"));
  });
}

void fillHeadToHead(GridModel& HX, GridModel& strip, std::string_view section) {
  const ResultRule rule{columnIndex(HxColumn::Rez), "1", "2"};
  fillResults(HX, strip, section, rule, [&](std::string_view block, int r) {
    HX.setText(HxColumn::Date, r, ExtractTag(block, "date"));
    HX.setValue(HxColumn::Flag, r, 0);
    int offset = 0;
    for (const char* tag : {"home", "away", "score", "q"})
      HX.setText(columnAfter(HxColumn::Home, offset++), r, ExtractTag(block, tag));
  });
}

}  // namespace korvex
