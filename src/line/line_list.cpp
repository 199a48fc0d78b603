#include "line/line_list.h"

#include <string>
#include <string_view>

#include "state/grid_columns.h"
#include "state/user_list.h"
#include "text/country_flags.h"
#include "text/tag_selector.h"

namespace korvex {

namespace {

void setGender(GridModel& grid, ColumnName auto col, int row, std::string_view polliga) {
  if (polliga == "M") {
    grid.setValue(col, row, pictureIndex(Gender::Men));
    grid.setHint(col, row, "Men");
  }
  if (polliga == "W") {
    grid.setValue(col, row, pictureIndex(Gender::Women));
    grid.setHint(col, row, "Women");
  }
}

// "55-45" holds both players' figures; a lone "-" means the service has none.
void setPercentages(GridModel& rgGrid, int row, std::string_view precent) {
  if (precent == "-") return;
  const std::size_t dash = precent.find('-');
  if (dash == std::string_view::npos) {
    rgGrid.setText(RgColumn::Percent2, row, precent);
    return;
  }
  rgGrid.setText(RgColumn::Percent1, row, precent.substr(0, dash));
  rgGrid.setText(RgColumn::Percent2, row, precent.substr(dash + 1));
}

// The values a line block is read for, in the order the picker packs them.
enum LineValue : std::size_t {
  Country,
  Id,
  TypeLiga,
  NameLiga,
  PolLiga,
  Precent,
  Latest1,
  Latest2,
  H2H,
  // The six plain columns from "date" on, in the order both grids give them.
  FirstMatchValue,
  // The "LIVE_KF" sub-record, whose handicap and total lines the writer reads itself: the
  // reading is shared out between the two threads about evenly.
  LiveKf = FirstMatchValue + 6,
};
constexpr std::size_t kMatchValues = LiveKf - FirstMatchValue;
// The lines of the sub-record, in column order.
constexpr std::size_t kLineValues = 7;

// Picks a block's values on the thread that receives the line: the tags of the values
// above, in their order.
BlockPicker linePicker() {
  return tagPicker({"country", "id", "typeliga", "nameliga", "polliga", "precent", "latest1",
                    "latest2", "h2h", "date", "time", "home", "away", "kf1", "kf2", "LIVE_KF"});
}

// Fills row r of RX and RG from one block's picked values.
class LineRowWriter {
 public:
  explicit LineRowWriter(Form& form) : lineGrid_(form.line.RX), reportGrid_(form.line.RG) {}

  void write(int r, const PickedBlock& block) {
    const std::string_view country = block[Country];
    const std::string_view id = block[Id];
    league_.assign(country)
        .append(". ")
        .append(block[TypeLiga])
        .append(". ")
        .append(block[NameLiga]);
    const std::string_view polliga = block[PolLiga];
    const int flag = CountryFlagIndex(country);

    lineGrid_.setText(RxColumn::Id, r, id);
    lineGrid_.setHint(RxColumn::Flag, r, league_);
    lineGrid_.setValue(RxColumn::Flag, r, flag);
    setGender(lineGrid_, RxColumn::Gender, r, polliga);

    reportGrid_.setText(RgColumn::Id, r, id);
    reportGrid_.setValue(RgColumn::Flag, r, flag);
    setGender(reportGrid_, RgColumn::Gender, r, polliga);
    reportGrid_.setText(RgColumn::League, r, league_);

    for (std::size_t i = 0; i < kMatchValues; ++i) {
      const std::string_view value = block[FirstMatchValue + i];
      lineGrid_.setText(columnAfter(RxColumn::Date, static_cast<int>(i)), r, value);
      reportGrid_.setText(columnAfter(RgColumn::Date, static_cast<int>(i)), r, value);
    }

    setPercentages(reportGrid_, r, block[Precent]);
    reportGrid_.setText(RgColumn::Latest1, r, block[Latest1]);
    reportGrid_.setText(RgColumn::Latest2, r, block[Latest2]);
    reportGrid_.setText(RgColumn::H2H, r, block[H2H]);

    // A block without the sub-record leaves the seven cells empty.
    const std::string_view lines = block[LiveKf];
    if (lines.empty()) return;
    lines_.read(lines);
    for (std::size_t i = 0; i < kLineValues; ++i) {
      const std::string_view value = lines_[i];
      reportGrid_.setText(columnAfter(RgColumn::Hand1, static_cast<int>(i)), r, value);
      lineGrid_.setText(columnAfter(RxColumn::Hand1, static_cast<int>(i)), r, value);
    }
  }

 private:
  GridModel& lineGrid_;
  GridModel& reportGrid_;
  TagSelector lines_{"hand1", "kof1", "hand2", "kof2", "total", "u", "o"};
  std::string league_;
};

std::string countCaption(int rows) {
  return "Count: " + std::to_string(rows);
}

// Rebuilds RX and RG from the blocks that `walk` hands to its reader, then sets the counts.
template <typename Walk>
Task<std::optional<FetchError>> rebuildLine(Form& form, Walk walk) {
  std::optional<FetchError> failure;
  {
    // Emptied where the window sees it, then refilled under batches (see emptyThenBatch).
    std::optional<GridModel::Batch> lineBatch, reportBatch;
    LineRowWriter writer(form);
    std::function<void()> start = [&] {
      emptyThenBatch(form.line.RX, lineBatch);
      emptyThenBatch(form.line.RG, reportBatch);
    };
    PickedReader reader = [&](const PickedBlock& block) {
      const int r = form.line.RX.appendRow();
      form.line.RG.appendRow();
      writer.write(r, block);
    };
    failure = co_await walk(std::move(start), std::move(reader));
  }
  form.line.countsoon = countCaption(form.line.RX.rowCount());
  form.line.countsoon2 = countCaption(form.line.RG.rowCount());
  co_return failure;
}

}  // namespace

Task<> LoadLine(Context& ctx) {
  const LoadingNote loading(ctx.form.status, "the line");
  auto walk = userListPicked(ctx, "line", linePicker());
  const auto failure = co_await rebuildLine(ctx.form, std::move(walk));
  ctx.form.status.line.record(failure, localNow(ctx));
}

void fillLineFromAnswer(Form& form, std::string_view answer) {
  runInPlace(rebuildLine(form, answerPicked(answer, linePicker())));
}

}  // namespace korvex
