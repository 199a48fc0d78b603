#include "ui/pages/stats_tab.h"

#include <QEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/lists/filter_bar.h"
#include "ui/lists/grid_view.h"
#include "ui/lists/history_columns.h"
#include "ui/pages/analysis_panel.h"
#include "ui/pages/page_parts.h"
#include "ui/pages/window_kit.h"
#include "ui/platform/view_settings.h"

namespace korvex::ui {

namespace {

constexpr int kDesignedWidth = 1017;
constexpr int kLeftColumnWidth = 449;

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

StatsTab::StatsTab(WindowKit& kit, QWidget* parent) : QWidget(parent) {
  Form& form = kit.session().form();

  auto* refresh = new QPushButton(QStringLiteral("Refresh"));
  refresh->setObjectName(QStringLiteral("spSkinXFormButton2"));
  refresh->setToolTip(QStringLiteral("Reload the line (F5)"));
  refresh_ = refresh;
  connect(refresh, &QPushButton::clicked, this, [&kit] {
    kit.userAsked({WatchedList::Line});
    kit.runHandler([&kit] { kit.session().spSkinXFormButton2Click(); });
  });
  GridView* rx = kit.gridView(form.line.RX, movementColumns(form.line.MV));
  lineView_ = rx;
  kit.bindDoubleClick(rx, &Session::RXCellDblClick);
  kit.bindLastGoodRows(rx, false);
  kit.offerExchangePage(rx);
  QWidget* bar = topBar({refresh, kit.exchangeCheckButton(rx, RadarLinkedList::Line)},
                        {kit.countLabel(form.line.countsoon, rx)});

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
  analysis_ = new AnalysisPanel(kit);
  panel->setWidget(analysis_);

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(left);
  splitter->addWidget(panel);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kLeftColumnWidth, kDesignedWidth - kLeftColumnWidth});
  new RoomForTheAnalysis(splitter, left, panel);
  rememberSplitter(splitter, QStringLiteral("stats"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);
}

void StatsTab::refresh() {
  refresh_->click();
}

}  // namespace korvex::ui
