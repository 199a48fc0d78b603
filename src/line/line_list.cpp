#include "line/line_list.h"

#include <array>
#include <string>
#include <string_view>

#include "grid/row_index.h"
#include "service/country_flags.h"
#include "service/feed_text.h"
#include "service/list_request.h"

namespace korvex {

namespace {

namespace rx {
constexpr int Id = 0, Flag = 2, Gender = 3, Date = 4, RadarMark = 11, Lines = 13;
}
namespace rb {
constexpr int Id = 0;
}
namespace rg {
constexpr int Id = 0, Flag = 1, Gender = 2, League = 3, Date = 4, Percent1 = 12, Percent2 = 13,
              Latest1 = 14, Latest2 = 15, H2H = 16, Lines = 17;
}

// ImageList4 pictures of the gender column.
constexpr int kMenImage = 1, kWomenImage = 2;
// ImageList2: the blue square with the orange arrow that flags a match on the radar.
constexpr int kRadarMarkImage = 8;

// The six plain columns from "date" on sit in the same order in both grids.
constexpr std::array<std::string_view, 6> kMatchTags{"date", "time", "home", "away", "kf1", "kf2"};
// The handicap and total lines of the "LIVE_KF" sub-record, in column order.
constexpr std::array<std::string_view, 7> kLineTags{"hand1", "kof1", "hand2", "kof2",
                                                    "total", "u",    "o"};

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

// Fills row r of RX and RG from one block. `league` is scratch space kept across rows.
void fillLineRows(Form& form, int r, std::string_view block, std::string& league) {
  GridModel& lineGrid = form.RX;
  GridModel& reportGrid = form.RG;
  const std::string_view country = ExtractTag(block, "country");
  const std::string_view lines = ExtractTag(block, "LIVE_KF");
  const std::string_view id = ExtractTag(block, "id");
  league.assign(country)
      .append(". ")
      .append(ExtractTag(block, "typeliga"))
      .append(". ")
      .append(ExtractTag(block, "nameliga"));
  const std::string_view polliga = ExtractTag(block, "polliga");
  const int flag = CountryFlagIndex(country);

  lineGrid.setText(rx::Id, r, id);
  lineGrid.setHint(rx::Flag, r, league);
  lineGrid.setValue(rx::Flag, r, flag);
  setGender(lineGrid, rx::Gender, r, polliga);

  reportGrid.setText(rg::Id, r, id);
  reportGrid.setValue(rg::Flag, r, flag);
  setGender(reportGrid, rg::Gender, r, polliga);
  reportGrid.setText(rg::League, r, league);

  for (std::size_t i = 0; i < kMatchTags.size(); ++i) {
    const std::string_view value = ExtractTag(block, kMatchTags[i]);
    lineGrid.setText(rx::Date + static_cast<int>(i), r, value);
    reportGrid.setText(rg::Date + static_cast<int>(i), r, value);
  }

  setPercentages(reportGrid, r, ExtractTag(block, "precent"));
  reportGrid.setText(rg::Latest1, r, ExtractTag(block, "latest1"));
  reportGrid.setText(rg::Latest2, r, ExtractTag(block, "latest2"));
  reportGrid.setText(rg::H2H, r, ExtractTag(block, "h2h"));

  if (lines.empty()) return;
  for (std::size_t i = 0; i < kLineTags.size(); ++i) {
    const std::string_view value = ExtractTag(lines, kLineTags[i]);
    reportGrid.setText(rg::Lines + static_cast<int>(i), r, value);
    lineGrid.setText(rx::Lines + static_cast<int>(i), r, value);
  }
}

std::string countCaption(int rows) { return "Count: " + std::to_string(rows); }

}  // namespace

void LoadLine(Context& ctx) {
  Form& form = ctx.form;
  {
    GridModel::Batch lineBatch(form.RX);
    GridModel::Batch reportBatch(form.RG);
    form.RX.clear();
    form.RG.clear();
    const std::string answer = fetchListAnswer(
        ctx.IdHTTP1,
        listAddress(ctx.addresses.service, form.CurrentLogin, form.CurrentPassword, "line"));
    std::string league;
    ScanMatchBlocks(answer, [&](std::string_view block) {
      const int r = form.RX.appendRow();
      form.RG.appendRow();
      fillLineRows(form, r, block, league);
    });
  }
  form.countsoon = countCaption(form.RX.rowCount());
  form.countsoon2 = countCaption(form.RG.rowCount());
}

void spSkinXFormButton2Click(Context& ctx) {
  // The reload rebuilds RX from scratch, which wipes the marks the radar load had set;
  // the radar itself is not reloaded, so its current rows give the marks back.
  LoadLine(ctx);
  markLineRowsOnRadar(ctx);
}

void markLineRowsOnRadar(Context& ctx) {
  GridModel& lineGrid = ctx.form.RX;
  if (lineGrid.rowCount() == 0) return;
  const RowIndex radar(ctx.form.RB, rb::Id);
  GridModel::Batch batch(lineGrid);
  for (int r = 0; r < lineGrid.rowCount(); ++r) {
    if (radar.contains(lineGrid.text(rx::Id, r))) lineGrid.setValue(rx::RadarMark, r, kRadarMarkImage);
  }
}

}  // namespace korvex
