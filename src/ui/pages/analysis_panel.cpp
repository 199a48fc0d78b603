#include "ui/pages/analysis_panel.h"

#include <QGraphicsColorizeEffect>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/analysis/movement_chart.h"
#include "ui/lists/grid_view.h"
#include "ui/pages/page_parts.h"
#include "ui/pages/value_page.h"
#include "ui/pages/window_kit.h"
#include "ui/platform/icon_painter.h"
#include "ui/platform/image_lists.h"
#include "ui/platform/qt_text.h"

namespace korvex::ui {

namespace {

constexpr int kHeaderStripHeight = 24;
constexpr int kCardStripHeight = 96;
constexpr int kSummaryStripHeight = 87;
constexpr int kForecastBarHeight = 44;
constexpr int kSetScoreHeight = 72;
constexpr int kForecastTextWidth = 150;
constexpr QSize kPictureSize(48, 50);

QLabel* rankHeader() {
  auto* header = new QLabel(QStringLiteral("RANK"));
  header->setAlignment(Qt::AlignCenter);
  header->setFixedWidth(48);
  header->setStyleSheet(
      QStringLiteral("background: %1; color: white; font-weight: bold; font-size: 10px; "
                     "border-radius: 2px;")
          .arg(cssColour(colours::DuskBlue)));
  return header;
}

QVBoxLayout* column(std::initializer_list<QWidget*> widgets) {
  auto* layout = new QVBoxLayout;
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  for (QWidget* widget : widgets) layout->addWidget(widget);
  return layout;
}

QLabel* playerPicture() {
  auto* picture = new QLabel;
  picture->setFixedSize(kPictureSize);
  picture->setScaledContents(true);
  return picture;
}

QPixmap pictureFor(const Picture& picture) {
  const Image& image = picture.image;
  const auto bytes = static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4;
  if (image.width <= 0 || image.height <= 0 || image.rgba.size() < bytes)
    return QPixmap::fromImage(drawCardPlaceholder(kPictureSize.width(), kPictureSize.height()));
  const QImage view(image.rgba.data(), image.width, image.height, image.width * 4,
                    QImage::Format_RGBA8888);
  return QPixmap::fromImage(
      view.scaled(kPictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

AnalysisPanel::AnalysisPanel(WindowKit& kit, QWidget* parent) : QWidget(parent), kit_(kit) {
  Form& form = kit.session().form();
  setObjectName(QStringLiteral("StatPanel"));

  GridView* header = kit_.gridView(form.analysis.MatchGrid);
  header->setFocusPolicy(Qt::NoFocus);  // a strip to read, not a stop for Tab
  header->setFixedHeight(kHeaderStripHeight);
  header->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  statPage_ = new QTabWidget;
  statPage_->setObjectName(QStringLiteral("StatPage"));
  statPage_->addTab(forecastPage(), imageListIcon(Icon::Forecast), QStringLiteral("Forecast"));
  statPage_->addTab(kit_.gridView(form.analysis.LGrid1), imageListIcon(Icon::HomeResults),
                    QStringLiteral("Latest Result Home"));
  statPage_->addTab(kit_.gridView(form.analysis.LGrid2), imageListIcon(Icon::AwayResults),
                    QStringLiteral("Latest Result  Away"));
  statPage_->addTab(kit_.gridView(form.analysis.HX), imageListIcon(Icon::HeadToHead),
                    QStringLiteral("Head-To-Head"));
  statPage_->addTab(valuePage(kit), imageListIcon(Icon::Value), QStringLiteral("Value"));
  movement_ = new MovementChart(kit.session());
  statPage_->addTab(movement_, QStringLiteral("Movement"));
  connect(statPage_, &QTabWidget::currentChanged, this,
          [&form](int index) { form.analysis.statPageActive = index; });

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
  figureLayout->addWidget(cardStrip());
  figureLayout->addWidget(summaryStrip());
  figureLayout->addWidget(statPage_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 0, 0, 0);
  layout->setSpacing(2);
  // A failed analysis says so above the figures, so its zeros are never read as a match's.
  QLabel* failure = kit_.formLabel(form.analysis.failure, true);
  failure->setObjectName(QStringLiteral("analysisFailure"));
  failure->setStyleSheet(QStringLiteral("color: white; background: %1; font-weight: bold;")
                             .arg(cssColour(colours::AlarmRed)));
  failure->setWordWrap(true);
  layout->addWidget(failure);
  layout->addWidget(figures, 1);
}

QWidget* AnalysisPanel::cardStrip() {
  Form& form = kit_.session().form();
  auto* strip = new QWidget;
  strip->setFixedHeight(kCardStripHeight);

  const auto name = [this](Label& text) {
    return styled(kit_.formLabel(text), 16, true, toQColor(colours::Navy));
  };
  const auto detail = [this](Label& text) {
    return styled(kit_.formLabel(text), 0, false, toQColor(colours::SlateBlue));
  };
  const auto rank = [this](Label& text) {
    return styled(kit_.formLabel(text), 12, true, toQColor(colours::Maroon));
  };

  logo1_ = playerPicture();
  logo2_ = playerPicture();
  GridView* odds = kit_.gridView(form.analysis.KFGrid);
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

QWidget* AnalysisPanel::summaryStrip() {
  Form& form = kit_.session().form();
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
    GridView* results = kit_.gridView(*grid);
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

QWidget* AnalysisPanel::forecastPage() {
  Form& form = kit_.session().form();
  auto* page = new QWidget;

  auto* bar = new QWidget;
  bar->setFixedHeight(kForecastBarHeight);
  auto* texts = new QWidget;
  texts->setFixedWidth(kForecastTextWidth);
  texts->setLayout(column({kit_.formLabel(form.analysis.wt1), kit_.formLabel(form.analysis.wt2)}));
  auto* barLayout = new QHBoxLayout(bar);
  barLayout->setContentsMargins(4, 0, 4, 0);
  barLayout->addWidget(styled(kit_.formLabel(form.analysis.scor), 40, false, Qt::red));
  barLayout->addWidget(
      styled(kit_.formLabel(form.analysis.sets), 20, true, toQColor(colours::Maroon)), 1);
  barLayout->addWidget(texts);

  GridView* setScores = kit_.gridView(form.analysis.ScGrid);
  // The designed height, unless the font needs more to show all three sets.
  setScores->setFixedHeight(std::max(kSetScoreHeight, setScores->heightForRows(3)));

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(kit_.gridView(form.analysis.SG), 1);
  layout->addWidget(setScores);
  return page;
}

void AnalysisPanel::follow(AnalysisPage& analysis) {
  {
    const QSignalBlocker blockStatPages(statPage_);
    statPage_->setCurrentIndex(analysis.statPageActive);
  }
  analysis.statPageActive = statPage_->currentIndex();
  logo1_->setPixmap(pictureFor(analysis.LOGO1));
  logo2_->setPixmap(pictureFor(analysis.LOGO2));
}

void AnalysisPanel::handlersEnded() {
  movement_->refreshIfStale();
}

}  // namespace korvex::ui
