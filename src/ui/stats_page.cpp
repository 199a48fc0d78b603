#include <QGraphicsColorizeEffect>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "state/grid_columns.h"
#include "ui/filter_bar.h"
#include "ui/grid_view.h"
#include "ui/history_columns.h"
#include "ui/image_lists.h"
#include "ui/last_good_rows.h"
#include "ui/main_window.h"
#include "ui/movement_chart.h"
#include "ui/page_parts.h"
#include "ui/plain_text.h"
#include "ui/view_settings.h"

namespace korvex::ui {

namespace {

constexpr int kDesignedWidth = 1017;
constexpr int kLeftColumnWidth = 449;
constexpr int kHeaderStripHeight = 24;
constexpr int kCardStripHeight = 96;
constexpr int kSummaryStripHeight = 87;
constexpr int kForecastBarHeight = 44;
constexpr int kSetScoreHeight = 72;
constexpr int kForecastTextWidth = 150;

const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);
const QColor kSlateBlue(106, 90, 205);
const QColor kGrey(96, 96, 96);

QLabel* rankHeader() {
  auto* header = new QLabel(QStringLiteral("RANK"));
  header->setAlignment(Qt::AlignCenter);
  header->setFixedWidth(48);
  header->setStyleSheet(
      QStringLiteral("background: #3d5a80; color: white; font-weight: bold; font-size: 10px; "
                     "border-radius: 2px;"));
  return header;
}

QVBoxLayout* column(std::initializer_list<QWidget*> widgets) {
  auto* layout = new QVBoxLayout;
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  for (QWidget* widget : widgets) layout->addWidget(widget);
  return layout;
}

const QString kBankSetting = QStringLiteral("value/bank");

// A bank is what the field lets through: digits with at most two decimals, either mark.
std::optional<double> bankAmount(const QString& text) {
  bool ok = false;
  const double amount = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
  if (!ok || !(amount > 0)) return std::nullopt;
  return amount;
}

// Each Kelly cell's stake in money, from the bank typed above the grid; the cell's own
// percentage is the one used, so the sum the user checks is the sum shown.
class StakeTips : public QObject {
 public:
  StakeTips(GridView* view, QLineEdit* bank) : QObject(view), view_(view), bank_(bank) {
    view->viewport()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = stakeText(view_->indexAt(help->pos()));
    if (tip.isEmpty()) return QObject::eventFilter(watched, event);
    QToolTip::showText(help->globalPos(), plainToolTip(tip), view_->viewport());
    return true;
  }

 private:
  QString stakeText(const QModelIndex& index) const {
    if (!index.isValid()) return {};
    const int col = index.column();
    if (col != columnIndex(VgColumn::Kelly1) && col != columnIndex(VgColumn::Kelly2)) return {};
    const QString bank = bank_->text();
    const std::optional<double> amount = bankAmount(bank);
    bool ok = false;
    const QString kelly = index.data(Qt::DisplayRole).toString();
    const double percent = kelly.toDouble(&ok);
    if (!amount || !ok) return {};
    return QStringLiteral("%1 % of %2 = %3")
        .arg(kelly, bank, QString::number(percent * *amount / 100, 'f', 2));
  }

  GridView* view_;
  QLineEdit* bank_;
};

// The analysis shows whole where the window has the room, taking it from the line down to
// the line's own least width; only a window narrower than both together scrolls it.
class RoomForTheAnalysis : public QObject {
 public:
  RoomForTheAnalysis(QSplitter* splitter, QWidget* line, QScrollArea* analysis)
      : QObject(splitter), splitter_(splitter), line_(line), analysis_(analysis) {
    analysis->installEventFilter(this);
    analysis->widget()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
      QTimer::singleShot(0, this, &RoomForTheAnalysis::makeRoom);
    return QObject::eventFilter(watched, event);
  }

 private:
  void makeRoom() {
    // Laid out for a window not yet at its size, the sizes would be the wrong ones to keep.
    if (!splitter_->isVisible()) return;
    const QWidget* panel = analysis_->widget();
    int needed = panel->minimumSizeHint().width() + 2 * analysis_->frameWidth();
    if (analysis_->verticalScrollBar()->isVisible())
      needed += analysis_->verticalScrollBar()->width();
    QList<int> sizes = splitter_->sizes();
    if (sizes.size() != 2) return;
    const int spare = sizes[0] - line_->minimumSizeHint().width();
    const int moved = std::min(needed - sizes[1], spare);
    if (moved <= 0) return;
    sizes[0] -= moved;
    sizes[1] += moved;
    splitter_->setSizes(sizes);
  }

  QSplitter* splitter_;
  QWidget* line_;
  QScrollArea* analysis_;
};

}  // namespace

QWidget* MainWindow::buildStatsPage() {
  Form& form = session_->form();

  auto* refresh = new QPushButton(QStringLiteral("Refresh"));
  refresh->setObjectName(QStringLiteral("spSkinXFormButton2"));
  refresh->setToolTip(QStringLiteral("Reload the line (F5)"));
  refresh_ = refresh;
  connect(refresh, &QPushButton::clicked, this, [this] {
    lineWatch_->userAsked();
    runHandler([this] { session_->spSkinXFormButton2Click(); });
  });
  GridView* rx = gridView(form.line.RX, movementColumns(form.line.MV));
  lineView_ = rx;
  bindDoubleClick(rx, &Session::RXCellDblClick);
  bindLastGoodRows(rx, false);
  offerExchangePage(rx);
  QWidget* bar = topBar({refresh, exchangeCheckButton(rx, RadarLinkedList::Line)},
                        {countLabel(form.line.countsoon, rx)});

  auto* left = new QWidget;
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->setSpacing(0);
  leftLayout->addWidget(bar);
  leftLayout->addWidget(new FilterBar(rx));
  leftLayout->addWidget(withBanner(rx), 1);

  // Below its own size the analysis scrolls, so the window fits a small or scaled screen.
  auto* panel = new QScrollArea;
  panel->setObjectName(QStringLiteral("StatPanelScroll"));
  panel->setWidgetResizable(true);
  panel->setFrameShape(QFrame::NoFrame);
  panel->setWidget(buildStatPanel());

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(left);
  splitter->addWidget(panel);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kLeftColumnWidth, kDesignedWidth - kLeftColumnWidth});
  new RoomForTheAnalysis(splitter, left, panel);
  rememberSplitter(splitter, QStringLiteral("stats"));
  return splitter;
}

QWidget* MainWindow::buildStatPanel() {
  Form& form = session_->form();
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("StatPanel"));

  GridView* header = gridView(form.analysis.MatchGrid);
  header->setFocusPolicy(Qt::NoFocus);  // a strip to read, not a stop for Tab
  header->setFixedHeight(kHeaderStripHeight);
  header->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  statPage_ = new QTabWidget;
  statPage_->setObjectName(QStringLiteral("StatPage"));
  statPage_->addTab(buildForecastPage(), imageListIcon(Icon::Forecast), QStringLiteral("Forecast"));
  statPage_->addTab(gridView(form.analysis.LGrid1), imageListIcon(Icon::HomeResults),
                    QStringLiteral("Latest Result Home"));
  statPage_->addTab(gridView(form.analysis.LGrid2), imageListIcon(Icon::AwayResults),
                    QStringLiteral("Latest Result  Away"));
  statPage_->addTab(gridView(form.analysis.HX), imageListIcon(Icon::HeadToHead),
                    QStringLiteral("Head-To-Head"));
  statPage_->addTab(buildValuePage(), imageListIcon(Icon::Value), QStringLiteral("Value"));
  auto* movement = new MovementChart(*session_);
  statPage_->addTab(movement, QStringLiteral("Movement"));
  connect(this, &MainWindow::handlersEnded, movement, &MovementChart::refreshIfStale);
  connect(statPage_, &QTabWidget::currentChanged, this,
          [this](int index) { session_->form().analysis.statPageActive = index; });

  // The figures go grey while the analysis failed: they are the empty analysis's zeros.
  auto* figures = new QWidget;
  figures->setObjectName(QStringLiteral("analysisFigures"));
  auto* greyed = new QGraphicsColorizeEffect(figures);
  greyed->setColor(Qt::gray);
  greyed->setStrength(1.0);
  greyed->setEnabled(!form.analysis.failure.text().empty());
  figures->setGraphicsEffect(greyed);
  const int key = form.analysis.failure.addObserver(
      [greyed](const std::string& now) { greyed->setEnabled(!now.empty()); });
  connect(figures, &QObject::destroyed, this,
          [&failure = form.analysis.failure, key] { failure.removeObserver(key); });
  auto* figureLayout = new QVBoxLayout(figures);
  figureLayout->setContentsMargins(0, 0, 0, 0);
  figureLayout->setSpacing(2);
  figureLayout->addWidget(header);
  figureLayout->addWidget(buildCardStrip());
  figureLayout->addWidget(buildSummaryStrip());
  figureLayout->addWidget(statPage_, 1);

  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(2, 0, 0, 0);
  layout->setSpacing(2);
  // A failed analysis says so above the figures, so its zeros are never read as a match's.
  QLabel* failure = formLabel(form.analysis.failure, true);
  failure->setObjectName(QStringLiteral("analysisFailure"));
  failure->setStyleSheet(QStringLiteral("color: white; background: #C00000; font-weight: bold;"));
  failure->setWordWrap(true);
  layout->addWidget(failure);
  layout->addWidget(figures, 1);
  return panel;
}

QWidget* MainWindow::buildCardStrip() {
  Form& form = session_->form();
  auto* strip = new QWidget;
  strip->setFixedHeight(kCardStripHeight);

  const auto name = [this](Label& text) { return styled(formLabel(text), 16, true, kNavy); };
  const auto detail = [this](Label& text) { return styled(formLabel(text), 0, false, kSlateBlue); };
  const auto rank = [this](Label& text) { return styled(formLabel(text), 12, true, kMaroon); };

  logo1_ = playerPicture();
  logo2_ = playerPicture();
  GridView* odds = gridView(form.analysis.KFGrid);
  odds->setFocusPolicy(Qt::NoFocus);
  odds->setFixedSize(odds->columnWidth(0) + odds->columnWidth(1) + 2 * odds->frameWidth() + 4,
                     odds->heightForRows(1));
  odds->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  odds->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* layout = new QHBoxLayout(strip);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(6);
  layout->addLayout(column({logo1_, rankHeader(), rank(form.analysis.Rank1)}));
  layout->addLayout(column({name(form.analysis.Name1), detail(form.analysis.Country1),
                            detail(form.analysis.Birth1), detail(form.analysis.Hand1)}),
                    1);
  layout->addWidget(odds, 0, Qt::AlignVCenter);
  layout->addLayout(column({name(form.analysis.Name2), detail(form.analysis.Country2),
                            detail(form.analysis.Birth2), detail(form.analysis.Hand2)}),
                    1);
  layout->addLayout(column({logo2_, rankHeader(), rank(form.analysis.Rank2)}));
  return strip;
}

QWidget* MainWindow::buildSummaryStrip() {
  Form& form = session_->form();
  auto* strip = new QWidget;
  strip->setFixedHeight(kSummaryStripHeight);
  auto* layout = new QHBoxLayout(strip);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  const std::pair<const char*, GridModel*> boxes[] = {{"Latest Result Home", &form.analysis.LG1},
                                                      {"Head-To-Head", &form.analysis.LG3},
                                                      {"Latest Result Away", &form.analysis.LG2}};
  for (const auto& [caption, grid] : boxes) {
    // The caption bars look like buttons and, as designed, do nothing.
    auto* title = new QPushButton(QString::fromLatin1(caption));
    title->setFocusPolicy(Qt::NoFocus);
    title->setFixedHeight(21);
    // Six short results share the box's width evenly, without scrolling.
    GridView* results = gridView(*grid);
    results->setFocusPolicy(Qt::NoFocus);
    results->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    results->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* box = new QVBoxLayout;
    box->setSpacing(0);
    box->addWidget(title);
    box->addWidget(results);
    layout->addLayout(box);
  }
  return strip;
}

QWidget* MainWindow::buildForecastPage() {
  Form& form = session_->form();
  auto* page = new QWidget;

  auto* bar = new QWidget;
  bar->setFixedHeight(kForecastBarHeight);
  auto* texts = new QWidget;
  texts->setFixedWidth(kForecastTextWidth);
  texts->setLayout(column({formLabel(form.analysis.wt1), formLabel(form.analysis.wt2)}));
  auto* barLayout = new QHBoxLayout(bar);
  barLayout->setContentsMargins(4, 0, 4, 0);
  barLayout->addWidget(styled(formLabel(form.analysis.scor), 40, false, Qt::red));
  barLayout->addWidget(styled(formLabel(form.analysis.sets), 20, true, kMaroon), 1);
  barLayout->addWidget(texts);

  GridView* setScores = gridView(form.analysis.ScGrid);
  // The designed height, unless the font needs more to show all three sets.
  setScores->setFixedHeight(std::max(kSetScoreHeight, setScores->heightForRows(3)));

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(gridView(form.analysis.SG), 1);
  layout->addWidget(setScores);
  return page;
}

QWidget* MainWindow::buildValuePage() {
  Form& form = session_->form();
  auto* explanation = new QLabel(QString::fromUtf8(
      "Chances from few matches are pulled toward the bookmaker's price, which weighs as much "
      "as 20 matches. Kelly is a quarter of the full Kelly stake. Score and set rows are not "
      "compared with match odds."));
  explanation->setAlignment(Qt::AlignCenter);
  explanation->setWordWrap(true);

  auto* bank = new QLineEdit(viewSettings().value(kBankSetting).toString());
  bank->setObjectName(QStringLiteral("valueBank"));
  bank->setPlaceholderText(QStringLiteral("Bank"));
  bank->setToolTip(QStringLiteral("Your bank: each Kelly cell's tooltip turns its % into a stake"));
  bank->setFixedWidth(90);
  bank->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,12}([.,][0-9]{0,2})?")), bank));
  connect(bank, &QLineEdit::textChanged, bank,
          [](const QString& text) { viewSettings().setValue(kBankSetting, text); });

  GridView* grid = gridView(form.analysis.VG);
  new StakeTips(grid, bank);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(4, 0, 4, 0);
  bar->addWidget(styled(explanation, 10, false, kGrey), 1);
  bar->addWidget(new QLabel(QStringLiteral("Bank")));
  bar->addWidget(bank);

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 4, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(styled(formLabel(form.analysis.value), 13, true, kNavy));
  layout->addLayout(bar);
  layout->addWidget(grid, 1);
  return page;
}

}  // namespace korvex::ui
