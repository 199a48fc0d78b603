#include "ui/pages/value_page.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolTip>
#include <QVBoxLayout>
#include <optional>

#include "state/grid_columns.h"
#include "ui/lists/grid_view.h"
#include "ui/pages/page_parts.h"
#include "ui/pages/window_kit.h"
#include "ui/platform/plain_text.h"
#include "ui/platform/qt_text.h"
#include "ui/platform/view_settings.h"

namespace korvex::ui {

namespace {

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

}  // namespace

QWidget* valuePage(WindowKit& kit_) {
  Form& form = kit_.session().form();
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
  QObject::connect(bank, &QLineEdit::textChanged, bank,
                   [](const QString& text) { viewSettings().setValue(kBankSetting, text); });

  GridView* grid = kit_.gridView(form.analysis.VG);
  new StakeTips(grid, bank);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(4, 0, 4, 0);
  bar->addWidget(styled(explanation, 10, false, toQColor(colours::DimGrey)), 1);
  bar->addWidget(new QLabel(QStringLiteral("Bank")));
  bar->addWidget(bank);

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 4, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(styled(kit_.formLabel(form.analysis.value), 13, true, toQColor(colours::Navy)));
  layout->addLayout(bar);
  layout->addWidget(grid, 1);
  return page;
}

}  // namespace korvex::ui
