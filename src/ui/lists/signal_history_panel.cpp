#include "ui/lists/signal_history_panel.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <charconv>

#include "session/load_memory.h"
#include "state/grid_columns.h"
#include "ui/lists/grid_view.h"
#include "ui/platform/view_settings.h"

namespace korvex::ui {

namespace {

constexpr int kProfitChartWidth = 220;
// The history holds its totals and its chart beside its rows.
constexpr int kHistoryPanelHeight = 230;
const QString kKeepHistoryKey = QStringLiteral("history/keep");
const QString kShowHistoryKey = QStringLiteral("signals/showHistory");

// "+1.50", "-1.00"; none for an unsettled signal's empty cell.
std::optional<double> profitOf(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

QString signedFigure(double value, int decimals) {
  return (value > 0 ? QStringLiteral("+") : QString()) + QString::number(value, 'f', decimals);
}

}  // namespace

SignalTotals signalTotals(const GridModel& SH) {
  SignalTotals totals;
  totals.count = SH.rowCount();
  for (int row = 0; row < SH.rowCount(); ++row) {
    const auto profit = profitOf(SH.text(ShColumn::ProfitLoss, row));
    if (!profit) continue;
    ++totals.settled;
    if (SH.text(ShColumn::Result, row) == "Won") ++totals.won;
    totals.profit += *profit;
  }
  return totals;
}

std::vector<double> cumulativeProfit(const GridModel& SH) {
  std::vector<double> running;
  double sum = 0;
  // The history lists the newest signal first.
  for (int row = SH.rowCount() - 1; row >= 0; --row) {
    const auto profit = profitOf(SH.text(ShColumn::ProfitLoss, row));
    if (!profit) continue;
    sum += *profit;
    running.push_back(sum);
  }
  return running;
}

QString totalsText(const SignalTotals& totals) {
  const auto roi = totals.roi();
  return QStringLiteral(
             "Signals %1 \u00b7 settled %2 \u00b7 won %3 \u00b7 P/L %4 at a stake of 1 "
             "\u00b7 ROI %5")
      .arg(totals.count)
      .arg(totals.settled)
      .arg(totals.won)
      .arg(signedFigure(totals.profit, 2),
           roi ? signedFigure(*roi, 1) + QStringLiteral(" %") : QStringLiteral("-"));
}

// Asks for the totals and the chart to follow the history; a refill of many rows is
// followed once, after it.
class SignalHistoryPanel::Follower : public GridObserver {
 public:
  Follower(GridModel& grid, SignalHistoryPanel& panel) : grid_(grid), panel_(panel) {
    grid_.addObserver(this);
  }
  ~Follower() override { grid_.removeObserver(this); }
  Follower(const Follower&) = delete;
  Follower& operator=(const Follower&) = delete;

  void gridReset() override { soon(); }
  void rowsInserted(int, int) override { soon(); }
  void cellChanged(int, int) override { soon(); }
  void enabledChanged(bool) override {}

 private:
  void soon() {
    if (std::exchange(panel_.updatePending_, true)) return;
    QMetaObject::invokeMethod(&panel_, &SignalHistoryPanel::update, Qt::QueuedConnection);
  }

  GridModel& grid_;
  SignalHistoryPanel& panel_;
};

SignalHistoryPanel::SignalHistoryPanel(GridModel& SH, GridView* view, QWidget* parent)
    : QWidget(parent), SH_(SH) {
  setObjectName(QStringLiteral("signalHistory"));
  totals_ = new QLabel;
  totals_->setObjectName(QStringLiteral("signalTotals"));
  totals_->setContentsMargins(4, 1, 4, 1);

  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setMargins(QMargins(0, 0, 0, 0));
  chart->setBackgroundRoundness(0);
  profit_ = new QChartView(chart);
  profit_->setObjectName(QStringLiteral("signalProfitChart"));
  profit_->setRenderHint(QPainter::Antialiasing);
  profit_->setFixedWidth(kProfitChartWidth);
  profit_->setToolTip(QStringLiteral("P/L after each settled signal, at a stake of 1"));

  auto* lower = new QHBoxLayout;
  lower->setContentsMargins(0, 0, 0, 0);
  lower->setSpacing(2);
  lower->addWidget(view, 1);
  lower->addWidget(profit_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(totals_);
  layout->addLayout(lower, 1);

  follower_ = std::make_unique<Follower>(SH_, *this);
  update();
}

SignalHistoryPanel::~SignalHistoryPanel() = default;

void SignalHistoryPanel::update() {
  updatePending_ = false;
  totals_->setText(totalsText(signalTotals(SH_)));

  QChart* chart = profit_->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  const std::vector<double> running = cumulativeProfit(SH_);
  auto* line = new QLineSeries;
  line->setName(QStringLiteral("P/L"));
  line->append(0, 0);  // before the first settled signal
  for (std::size_t i = 0; i < running.size(); ++i)
    line->append(static_cast<qreal>(i + 1), running[i]);
  line->setPointsVisible(running.size() <= 50);
  chart->addSeries(line);

  const auto [low, high] = std::minmax_element(running.begin(), running.end());
  const double bottom = running.empty() ? -1 : std::min(0.0, *low);
  const double top = running.empty() ? 1 : std::max(0.0, *high);
  const double pad = std::max(0.5, (top - bottom) * 0.1);
  QFont small = font();
  small.setPixelSize(9);
  auto* count = new QValueAxis;
  // Whole signals on the axis: one tick each while they are few.
  constexpr int kMostTicks = 5;
  const int settled = static_cast<int>(running.size());
  count->setRange(0, std::max(1, settled));
  count->setTickCount(std::min(std::max(1, settled), kMostTicks - 1) + 1);
  if (settled >= kMostTicks) count->applyNiceNumbers();
  count->setLabelFormat(QStringLiteral("%d"));
  count->setLabelsFont(small);
  auto* profit = new QValueAxis;
  profit->setRange(bottom - pad, top + pad);
  profit->setLabelFormat(QStringLiteral("%+.1f"));
  profit->setLabelsFont(small);
  chart->addAxis(count, Qt::AlignBottom);
  chart->addAxis(profit, Qt::AlignLeft);
  line->attachAxis(count);
  line->attachAxis(profit);
}

QToolButton* signalHistorySwitch(QStackedWidget* shown, QWidget* panel, int journalHeight) {
  auto* button = new QToolButton;
  button->setObjectName(QStringLiteral("signalHistorySwitch"));
  button->setText(QStringLiteral("History"));
  button->setToolTip(QStringLiteral("Every signal Korvex has kept, with its result and P/L"));
  button->setCheckable(true);
  button->setAutoRaise(true);
  button->setStyleSheet(
      QStringLiteral("QToolButton { color: white; } "
                     "QToolButton:checked { background: #5d7aa0; }"));
  const auto show = [shown, panel, journalHeight](bool history) {
    shown->setCurrentIndex(history ? 1 : 0);
    panel->setFixedHeight(history ? kHistoryPanelHeight : journalHeight);
  };
  QObject::connect(button, &QToolButton::toggled, panel, [show](bool history) {
    show(history);
    viewSettings().setValue(kShowHistoryKey, history);
  });
  button->setChecked(viewSettings().value(kShowHistoryKey, false).toBool());
  show(button->isChecked());
  return button;
}

QAction* keepHistorySwitch(LoadMemory& memory, QObject* parent) {
  auto* keep = new QAction(QStringLiteral("Keep history"), parent);
  keep->setObjectName(QStringLiteral("keepHistory"));
  keep->setCheckable(true);
  keep->setToolTip(
      QStringLiteral("Record the lists and the signals; off, nothing more is recorded and what "
                     "is kept still shows"));
  const bool on = viewSettings().value(kKeepHistoryKey, true).toBool();
  keep->setChecked(on);
  memory.keepRecording(on);
  QObject::connect(keep, &QAction::toggled, parent, [&memory](bool on) {
    memory.keepRecording(on);
    viewSettings().setValue(kKeepHistoryKey, on);
  });
  return keep;
}

}  // namespace korvex::ui
