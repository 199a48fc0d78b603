#include "line/line_list.h"

#include <array>
#include <string>
#include <string_view>

#include "state/user_list.h"
#include "text/country_flags.h"
#include "text/tag_selector.h"

namespace korvex {

namespace {

namespace rx {
constexpr int Id = 0, Flag = 2, Gender = 3, Date = 4, Lines = 13;
}
namespace rg {
constexpr int Id = 0, Flag = 1, Gender = 2, League = 3, Date = 4, Percent1 = 12, Percent2 = 13,
              Latest1 = 14, Latest2 = 15, H2H = 16, Lines = 17;
}

// ImageList4 pictures of the gender column.
constexpr int kMenImage = 1, kWomenImage = 2;

// The tags a block is read for, by their places in the selector below.
enum BlockTag : std::size_t {
  Country,
  Id,
  TypeLiga,
  NameLiga,
  PolLiga,
  Precent,
  Latest1,
  Latest2,
  H2H,
  LiveKf,
  // The six plain columns from "date" on, in the order both grids give them.
  FirstMatchTag
};
constexpr std::size_t kMatchTags = 6;
// The handicap and total lines of the "LIVE_KF" sub-record, in column order.
constexpr std::size_t kLineTags = 7;

void setGender(GridModel& grid, int col, int row, std::string_view polliga) {
  if (polliga == "M") {
    grid.setValue(col, row, kMenImage);
    grid.setHint(col, row, "Men");
  }
  if (polliga == "W") {
    grid.setValue(col, row, kWomenImage);
    grid.setHint(col, row, "Women");
  }
}

// "55-45" holds both players' figures; a lone "-" means the service has none.
void setPercentages(GridModel& rgGrid, int row, std::string_view precent) {
  if (precent == "-") return;
  const std::size_t dash = precent.find('-');
  if (dash == std::string_view::npos) {
    rgGrid.setText(rg::Percent2, row, precent);
    return;
  }
  rgGrid.setText(rg::Percent1, row, precent.substr(0, dash));
  rgGrid.setText(rg::Percent2, row, precent.substr(dash + 1));
}

// Fills row r of RX and RG from one block. Kept across blocks so that a list of
// thousands of matches reuses its scratch memory.
class LineRowWriter {
 public:
  explicit LineRowWriter(Form& form) : lineGrid_(form.RX), reportGrid_(form.RG) {}

  void write(int r, std::string_view blockText) {
    block_.read(blockText);
    const std::string_view country = block_[Country];
    const std::string_view id = block_[Id];
    league_.assign(country)
        .append(". ")
        .append(block_[TypeLiga])
        .append(". ")
        .append(block_[NameLiga]);
    const std::string_view polliga = block_[PolLiga];
    const int flag = CountryFlagIndex(country);

    lineGrid_.setText(rx::Id, r, id);
    lineGrid_.setHint(rx::Flag, r, league_);
    lineGrid_.setValue(rx::Flag, r, flag);
    setGender(lineGrid_, rx::Gender, r, polliga);

    reportGrid_.setText(rg::Id, r, id);
    reportGrid_.setValue(rg::Flag, r, flag);
    setGender(reportGrid_, rg::Gender, r, polliga);
    reportGrid_.setText(rg::League, r, league_);

    for (std::size_t i = 0; i < kMatchTags; ++i) {
      const std::string_view value = block_[FirstMatchTag + i];
      lineGrid_.setText(rx::Date + static_cast<int>(i), r, value);
      reportGrid_.setText(rg::Date + static_cast<int>(i), r, value);
    }

    setPercentages(reportGrid_, r, block_[Precent]);
    reportGrid_.setText(rg::Latest1, r, block_[Latest1]);
    reportGrid_.setText(rg::Latest2, r, block_[Latest2]);
    reportGrid_.setText(rg::H2H, r, block_[H2H]);

    // A block without the sub-record leaves the seven cells empty.
    const std::string_view lines = block_[LiveKf];
    if (lines.empty()) return;
    lines_.read(lines);
    for (std::size_t i = 0; i < kLineTags; ++i) {
      const std::string_view value = lines_[i];
      reportGrid_.setText(rg::Lines + static_cast<int>(i), r, value);
      lineGrid_.setText(rx::Lines + static_cast<int>(i), r, value);
    }
  }

 private:
  GridModel& lineGrid_;
  GridModel& reportGrid_;
  TagSelector block_{"country", "id",      "typeliga", "nameliga", "polliga", "precent",
                     "latest1", "latest2", "h2h",      "LIVE_KF",  "date",    "time",
                     "home",    "away",    "kf1",      "kf2"};
  TagSelector lines_{"hand1", "kof1", "hand2", "kof2", "total", "u", "o"};
  std::string league_;
};

std::string countCaption(int rows) {
  return "Count: " + std::to_string(rows);
}

// Rebuilds RX and RG from the blocks that `walk` hands to its reader, then sets the counts.
template <typename Walk>
void rebuildLine(Form& form, Walk&& walk) {
  {
    GridModel::Batch lineBatch(form.RX);
    GridModel::Batch reportBatch(form.RG);
    form.RX.clear();
    form.RG.clear();
    LineRowWriter writer(form);
    walk([&](std::string_view block) {
      const int r = form.RX.appendRow();
      form.RG.appendRow();
      writer.write(r, block);
    });
  }
  form.countsoon = countCaption(form.RX.rowCount());
  form.countsoon2 = countCaption(form.RG.rowCount());
}

}  // namespace

void LoadLine(Context& ctx) {
  rebuildLine(ctx.form, userListBlocks(ctx, "line"));
}

void fillLineFromAnswer(Form& form, std::string_view answer) {
  rebuildLine(form, answerBlocks(answer));
}

}  // namespace korvex
