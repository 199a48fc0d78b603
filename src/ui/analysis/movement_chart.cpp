#include "ui/analysis/movement_chart.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedLayout>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "session/session.h"
#include "state/grid_columns.h"
#include "ui/platform/qt_text.h"

namespace korvex::ui {

namespace {

// Beyond this many points a series is drawn as a plain line: the markers would hide it.
constexpr int kMarkedPointsLimit = 150;
constexpr int kLegendFontPx = 11;
const QString kNoHistory = QStringLiteral("No history yet for this match");

// Blue for player 1, red for player 2, green for the chances of the match.
QColor colourOf(const MovementSeries& series) {
  switch (series.player) {
    case SeriesPlayer::One:
      return {31, 95, 191};
    case SeriesPlayer::Two:
      return {192, 57, 43};
    case SeriesPlayer::Both:
      break;
  }
  return {46, 139, 87};
}

// Colour by player; the line solid, the live odds thicker, the exchange dotted; chances
// and shares dashed, so odds and percentages tell apart on the shared time axis.
QPen penOf(const MovementSeries& series) {
  QPen pen(colourOf(series));
  pen.setWidthF(series.source == SeriesSource::Live || series.source == SeriesSource::Model ? 2.5
                                                                                            : 1.8);
  if (series.source == SeriesSource::Exchange) pen.setStyle(Qt::DotLine);
  if (series.percent && series.source != SeriesSource::Model) pen.setStyle(Qt::DashLine);
  return pen;
}

qreal timeValue(history::Stamp at) {
  return static_cast<qreal>(at.time_since_epoch().count()) * 1000;
}

QString localTime(history::Stamp at) {
  return QDateTime::fromSecsSinceEpoch(at.time_since_epoch().count())
      .toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString figureText(double value, bool percent) {
  return percent ? QString::number(value, 'f', 1) : QString::number(value, 'f', 2);
}

// The index of the point nearest in time to `x`. Recorded order is time order unless the
// clock was set back, so the points are searched rather than bisected.
std::size_t nearestPoint(const MovementSeries& series, qreal x) {
  const auto& points = series.points;
  const auto nearest =
      std::min_element(points.begin(), points.end(), [x](const auto& a, const auto& b) {
        return std::abs(timeValue(a.at) - x) < std::abs(timeValue(b.at) - x);
      });
  return static_cast<std::size_t>(nearest - points.begin());
}

struct Range {
  double low = std::numeric_limits<double>::max();
  double high = std::numeric_limits<double>::lowest();
  bool empty() const { return low > high; }
  void take(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
};

}  // namespace

// Marks the chart stale at any change of a grid that a read of the history follows: the
// open match, the line's movement and the in-play grid (filled after their loads are
// stored) and the radar.
class MovementChart::Follower : public GridObserver {
 public:
  Follower(GridModel& grid, std::function<void()> touched)
      : grid_(grid), touched_(std::move(touched)) {
    grid_.addObserver(this);
  }
  ~Follower() override { grid_.removeObserver(this); }
  Follower(const Follower&) = delete;
  Follower& operator=(const Follower&) = delete;

  void gridReset() override { touched_(); }
  void rowsInserted(int, int) override { touched_(); }
  void cellChanged(int, int) override { touched_(); }
  void enabledChanged(bool) override {}

 private:
  GridModel& grid_;
  std::function<void()> touched_;
};

MovementChart::MovementChart(Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
  setObjectName(QStringLiteral("movementTab"));
  empty_ = new QLabel(kNoHistory);
  empty_->setObjectName(QStringLiteral("movementEmpty"));
  empty_->setAlignment(Qt::AlignCenter);

  auto* chart = new QChart;
  chart->legend()->hide();  // the figures below are the legend, with a switch per line
  chart->setMargins(QMargins(2, 2, 2, 2));
  view_ = new QChartView(chart);
  view_->setObjectName(QStringLiteral("movementChart"));
  view_->setRenderHint(QPainter::Antialiasing);
  // Drag a rectangle to zoom in; the right button zooms out.
  view_->setRubberBand(QChartView::RectangleRubberBand);
  view_->setToolTip(QStringLiteral("Drag to zoom in, right-click to zoom out"));

  auto* whole = new QPushButton(QStringLiteral("Whole match"));
  whole->setObjectName(QStringLiteral("movementWhole"));
  connect(whole, &QPushButton::clicked, view_, [this] { view_->chart()->zoomReset(); });
  legendHolder_ = new QWidget;  // holds the legend of each read
  auto* holder = new QVBoxLayout(legendHolder_);
  holder->setContentsMargins(0, 0, 0, 0);
  auto* below = new QHBoxLayout;
  below->setContentsMargins(4, 0, 4, 2);
  below->addWidget(legendHolder_, 1);
  below->addWidget(whole, 0, Qt::AlignTop);

  auto* chartPage = new QWidget;
  auto* layout = new QVBoxLayout(chartPage);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(view_, 1);
  layout->addLayout(below);

  pages_ = new QStackedLayout(this);
  pages_->addWidget(empty_);
  pages_->addWidget(chartPage);

  Form& form = session_.form();
  for (GridModel* grid : {&form.analysis.MatchGrid, &form.line.MV, &form.live.IP, &form.radar.RB})
    followers_.push_back(std::make_unique<Follower>(*grid, [this] { stale_ = true; }));
}

MovementChart::~MovementChart() = default;

QChart* MovementChart::chart() const {
  return view_->chart();
}

void MovementChart::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  refreshIfStale();
}

void MovementChart::refreshIfStale() {
  if (stale_ && isVisible()) refresh();
}

void MovementChart::refresh() {
  stale_ = false;
  const GridModel& header = session_.form().analysis.MatchGrid;
  const std::string id(header.rowCount() > 0 ? header.text(MatchColumn::Id, 0) : "");
  history::HistoryStore* store = session_.memory().store();
  draw(store != nullptr ? readMatchMovement(*store, id, fits_) : MatchMovement{});
}

void MovementChart::draw(const MatchMovement& movement) {
  QChart* chart = view_->chart();
  chart->zoomReset();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  shown_ = movement.series;
  if (movement.empty()) {
    pages_->setCurrentWidget(empty_);
    return;
  }
  chart->setTitle(movement.home.empty()
                      ? QString()
                      : QStringLiteral("1 %1 \u2013 2 %2")
                            .arg(fromCp1251(movement.home), fromCp1251(movement.away)));

  Range time, odds, percent;
  for (const MovementSeries& series : shown_)
    for (const SeriesPoint& point : series.points) {
      time.take(timeValue(point.at));
      (series.percent ? percent : odds).take(point.value);
    }
  // A single moment still gets an axis a user can read.
  constexpr double kHalfHourMs = 30 * 60 * 1000;
  if (time.high - time.low < kHalfHourMs) {
    time.low -= kHalfHourMs;
    time.high += kHalfHourMs;
  }
  auto* timeAxis = new QDateTimeAxis;
  timeAxis->setFormat(QStringLiteral("dd.MM HH:mm"));
  timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(time.low)),
                     QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(time.high)));
  chart->addAxis(timeAxis, Qt::AlignBottom);
  auto* oddsAxis = new QValueAxis;
  oddsAxis->setTitleText(QStringLiteral("Odds"));
  if (!odds.empty()) {
    const double pad = std::max(0.05, (odds.high - odds.low) * 0.08);
    oddsAxis->setRange(std::max(1.0, odds.low - pad), odds.high + pad);
    oddsAxis->applyNiceNumbers();
  }
  oddsAxis->setVisible(!odds.empty());
  chart->addAxis(oddsAxis, Qt::AlignLeft);
  auto* percentAxis = new QValueAxis;
  percentAxis->setTitleText(QStringLiteral("%"));
  percentAxis->setRange(0, percent.empty() ? 100 : std::max(100.0, percent.high));
  percentAxis->applyNiceNumbers();
  percentAxis->setVisible(!percent.empty());
  chart->addAxis(percentAxis, Qt::AlignRight);

  for (const MovementSeries& series : shown_) {
    auto* line = new QLineSeries;
    line->setName(QString::fromStdString(series.name));
    for (const SeriesPoint& point : series.points) line->append(timeValue(point.at), point.value);
    line->setPen(penOf(series));
    line->setPointsVisible(static_cast<int>(series.points.size()) <= kMarkedPointsLimit);
    chart->addSeries(line);
    line->attachAxis(timeAxis);
    line->attachAxis(series.percent ? percentAxis : oddsAxis);
    connect(line, &QLineSeries::hovered, this,
            [this, line](const QPointF& point, bool hovered) { showTip(line, point, hovered); });
  }
  buildLegend();
  pages_->setCurrentIndex(1);
}

void MovementChart::showTip(const QXYSeries* series, const QPointF& point, bool hovered) {
  if (!hovered) {
    QToolTip::hideText();
    return;
  }
  const auto index = view_->chart()->series().indexOf(const_cast<QXYSeries*>(series));
  if (index < 0 || static_cast<std::size_t>(index) >= shown_.size()) return;
  QToolTip::showText(QCursor::pos(), pointTip(shown_[static_cast<std::size_t>(index)], point.x()),
                     view_);
}

QString pointTip(const MovementSeries& series, qreal x) {
  const SeriesPoint& point = series.points[nearestPoint(series, x)];
  QString tip = QStringLiteral("%1\n%2\n%3")
                    .arg(QString::fromStdString(series.name), localTime(point.at),
                         figureText(point.value, series.percent) +
                             (series.percent ? QStringLiteral(" %") : QString()));
  if (!series.percent)
    tip += QStringLiteral(" (%1 %)").arg(QString::number(100 / point.value, 'f', 1));
  if (!point.note.empty()) tip += QLatin1Char('\n') + fromCp1251(point.note);
  return tip;
}

// Odds on the left, chances and shares on the right, each line with its switch and its
// open, high, low and current figure.
void MovementChart::buildLegend() {
  auto* legend = new QWidget;
  legend->setObjectName(QStringLiteral("movementLegend"));
  auto* sides = new QHBoxLayout(legend);
  sides->setContentsMargins(0, 0, 0, 0);
  QFont font = legend->font();
  font.setPixelSize(kLegendFontPx);
  legend->setFont(font);
  const QList<QAbstractSeries*> lines = view_->chart()->series();
  for (const bool percent : {false, true}) {
    auto* table = new QGridLayout;
    table->setHorizontalSpacing(8);
    table->setVerticalSpacing(0);
    int row = 0;
    const QStringList captions{QString(), QStringLiteral("open"), QStringLiteral("high"),
                               QStringLiteral("low"), QStringLiteral("now")};
    for (int col = 0; col < captions.size(); ++col)
      table->addWidget(new QLabel(captions[col]), row, col, Qt::AlignRight);
    for (std::size_t i = 0; i < shown_.size(); ++i) {
      const MovementSeries& series = shown_[i];
      if (series.percent != percent) continue;
      ++row;
      const QString name = QString::fromStdString(series.name);
      auto* shown = new QCheckBox(name);
      shown->setObjectName(QStringLiteral("legend:") + name);
      shown->setChecked(true);
      shown->setStyleSheet(QStringLiteral("color: %1;").arg(colourOf(series).name()));
      QAbstractSeries* line = lines.value(static_cast<qsizetype>(i));
      connect(shown, &QCheckBox::toggled, line, &QAbstractSeries::setVisible);
      table->addWidget(shown, row, 0);
      const double figures[] = {series.open(), series.high(), series.low(), series.now()};
      for (int col = 1; col <= 4; ++col) {
        auto* figure = new QLabel(figureText(figures[col - 1], percent));
        figure->setObjectName(name + QLatin1Char('/') + captions[col]);
        table->addWidget(figure, row, col, Qt::AlignRight);
      }
    }
    if (row > 0) sides->addLayout(table);
  }
  sides->addStretch(1);
  delete legend_;
  legend_ = legend;
  legendHolder_->layout()->addWidget(legend_);
}

}  // namespace korvex::ui
