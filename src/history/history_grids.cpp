#include "history/history_grids.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "history/finished_match.h"
#include "state/grid_columns.h"
#include "text/feed_number.h"

namespace korvex::history {

namespace {

constexpr std::string_view kNone = "-";

// `value` with a sign always, as printf's "%+.*f" writes it, whatever the locale.
std::string signedDecimal(double value, int decimals) {
  std::string text = fixedDecimal(value, decimals);
  if (!text.starts_with('-')) text.insert(text.begin(), '+');
  return text;
}

// How far `now` lies from `then`, in per cent of `then`; "-" unless both are odds.
std::string movement(std::string_view then, std::string_view now) {
  const auto from = usableOdds(then), to = usableOdds(now);
  if (!from || !to) return std::string(kNone);
  return signedDecimal((*to / *from - 1) * 100, 1);
}

// The bet's player: 1 for "Win1", 2 for "Win2", else none.
int betPlayer(std::string_view bet) {
  if (bet == "Win1") return 1;
  if (bet == "Win2") return 2;
  return 0;
}

std::optional<int> winnerOf(const Observation& live) {
  const std::array<std::string, 5> sets{live[LiveValue::Set1], live[LiveValue::Set2],
                                        live[LiveValue::Set3], live[LiveValue::Set4],
                                        live[LiveValue::Set5]};
  return matchWinner(sets);
}

void fillSignalRow(GridModel& SH, int r, const Signal& signal, HistoryStore::Reader& reader) {
  const std::string& id = signal[SignalValue::Id];
  SH.setText(ShColumn::At, r, formatStamp(signal.at));
  SH.setText(ShColumn::Id, r, id);
  SH.setText(ShColumn::Home, r, signal[SignalValue::Home]);
  SH.setText(ShColumn::Away, r, signal[SignalValue::Away]);
  SH.setText(ShColumn::Bet, r, signal[SignalValue::Bet]);
  SH.setText(ShColumn::Odds, r, signal[SignalValue::Price]);
  SH.setText(ShColumn::Percent, r, signal[SignalValue::Percent]);
  SH.setText(ShColumn::Sum, r, signal[SignalValue::Amount]);

  const int player = betPlayer(signal[SignalValue::Bet]);
  std::string_view now = kNone;
  const auto radar = player != 0 ? reader.last(ListKind::Radar, id) : std::nullopt;
  if (radar) now = (*radar)[player == 1 ? RadarValue::K1 : RadarValue::K2];
  SH.setText(ShColumn::Now, r, now);
  SH.setText(ShColumn::Move, r, movement(signal[SignalValue::Price], now));

  const auto live = player != 0 ? reader.last(ListKind::Live, id) : std::nullopt;
  const auto winner = live ? winnerOf(*live) : std::nullopt;
  if (!winner) return;
  const std::string_view price = signal[SignalValue::Price];
  if (*winner == player) {
    const auto odds = usableOdds(price);
    SH.setText(ShColumn::Result, r, "Won");
    SH.setText(ShColumn::ProfitLoss, r, odds ? signedDecimal(*odds - 1, 2) : std::string(kNone));
  } else {
    SH.setText(ShColumn::Result, r, "Lost");
    SH.setText(ShColumn::ProfitLoss, r, "-1.00");
  }
}

}  // namespace

void fillMovementGrid(GridModel& MV, const GridModel& RX, HistoryStore* store) {
  GridModel::Batch batch(MV);
  MV.clear();
  std::optional<HistoryStore::Reader> reader;
  if (store != nullptr) reader.emplace(store->read());
  for (int r = 0; r < RX.rowCount(); ++r) {
    const std::string_view id = RX.text(RxColumn::Id, r);
    const int row = MV.appendRow();
    MV.setText(MvColumn::Id, row, id);
    const auto first = reader ? reader->first(ListKind::Line, id) : std::nullopt;
    if (!first) {
      for (MvColumn col : {MvColumn::Open1, MvColumn::Open2, MvColumn::Move1, MvColumn::Move2})
        MV.setText(col, row, kNone);
      MV.setValue(MvColumn::Changes, row, 0);
      continue;
    }
    const std::string& open1 = (*first)[LineValue::Kf1];
    const std::string& open2 = (*first)[LineValue::Kf2];
    MV.setText(MvColumn::Open1, row, open1);
    MV.setText(MvColumn::Open2, row, open2);
    MV.setText(MvColumn::Move1, row, movement(open1, RX.text(RxColumn::Odds1, r)));
    MV.setText(MvColumn::Move2, row, movement(open2, RX.text(RxColumn::Odds2, r)));
    const std::int64_t changes = reader->count(ListKind::Line, id) - 1;
    MV.setValue(MvColumn::Changes, row,
                static_cast<int>(std::clamp<std::int64_t>(changes, 0, INT32_MAX)));
  }
}

void fillSignalHistory(GridModel& SH, HistoryStore* store) {
  GridModel::Batch batch(SH);
  SH.clear();
  if (store == nullptr) return;
  auto reader = store->read();
  const std::vector<Signal> signals = reader.storedSignals();
  for (auto signal = signals.rbegin(); signal != signals.rend(); ++signal)
    fillSignalRow(SH, SH.appendRow(), *signal, reader);
}

}  // namespace korvex::history
