#include "analysis/results.h"

#include "analysis/league_text.h"
#include "state/grid_columns.h"
#include "text/country_flags.h"
#include "text/feed_text.h"
#include "text/tag_selector.h"

namespace korvex {

namespace {

constexpr int kStripColumns = 6;

// Which "itog" values count as a result, and where the detail grid shows them.
struct ResultRule {
  int column;  // a grid's Rez column
  std::string_view won;
  std::string_view lost;
};

// Every result list reads a block's result and score first, then what its rows show.
enum ResultValue : std::size_t { Itog, Score, FirstRowValue };

// Walks the section's blocks: writeRow fills a fresh detail row from the block's values,
// then the result cell and the strip follow the same rule for all three lists.
template <typename WriteRow>
void fillResults(GridModel& detail, GridModel& strip, std::string_view section, ResultRule rule,
                 TagSelector block, WriteRow writeRow) {
  int index = 0;
  scanNestedMatchBlocks(section, [&](std::string_view text) {
    strip.setRowCount(2);
    const int r = detail.appendRow();
    block.read(text);
    writeRow(block, r);
    const std::string_view result = block[Itog];
    if (result == rule.won || result == rule.lost) {
      detail.setText(rule.column, r, result);
      detail.setColour(rule.column, r, result == rule.won ? colours::Green : colours::Red);
    }
    if (index < kStripColumns) {
      // The strip shows what the service sent, even a value the detail grid rejects.
      const int match = columnAfter(StripColumn::Latest, index);
      strip.setText(match, 0, result);
      strip.setColour(match, 0, detail.cell(rule.column, r).colour);
      strip.setText(match, 1, block[Score]);
    }
    ++index;
  });
}

}  // namespace

void fillRecentResults(GridModel& detail, GridModel& strip, std::string_view section) {
  const ResultRule rule{columnIndex(LGridColumn::Rez), "W", "L"};
  // The nine columns from the stage on are written from one run of values.
  enum : std::size_t { Liga = FirstRowValue, Date, FromStage, Total = FromStage + 9 };
  TagSelector block{"itog",  "score", "liga", "date", "stage", "home", "away",
                    "score", "set1",  "set2", "set3", "set4",  "set5", "total"};
  fillResults(detail, strip, section, rule, std::move(block),
              [&](const TagSelector& values, int r) {
                const League league = splitLeague(values[Liga]);
                detail.setText(LGridColumn::Date, r, values[Date]);
                detail.setValue(LGridColumn::Flag, r, CountryFlagIndex(league.country));
                detail.setHint(LGridColumn::Flag, r, league.tournament);
                for (std::size_t i = 0; FromStage + i < Total; ++i)
                  detail.setText(columnAfter(LGridColumn::Stage, static_cast<int>(i)), r,
                                 values[FromStage + i]);
                detail.setText(LGridColumn::Total, r, values[Total]);
              });
}

void fillHeadToHead(GridModel& HX, GridModel& strip, std::string_view section) {
  const ResultRule rule{columnIndex(HxColumn::Rez), "1", "2"};
  // The four columns from the home player on are written from one run of values.
  enum : std::size_t { Date = FirstRowValue, FromHome, End = FromHome + 4 };
  TagSelector block{"itog", "score", "date", "home", "away", "score", "q"};
  fillResults(HX, strip, section, rule, std::move(block), [&](const TagSelector& values, int r) {
    HX.setText(HxColumn::Date, r, values[Date]);
    HX.setValue(HxColumn::Flag, r, 0);
    for (std::size_t i = 0; FromHome + i < End; ++i)
      HX.setText(columnAfter(HxColumn::Home, static_cast<int>(i)), r, values[FromHome + i]);
  });
}

}  // namespace korvex
