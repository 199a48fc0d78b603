#include "ui/pages/about_tab.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "ui/pages/window_kit.h"
#include "ui/platform/qt_text.h"

namespace korvex::ui {

// The backdrop: a hard court seen from above under an evening-blue sky.
void AboutTab::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height());
  sky.setColorAt(0, QColor(36, 62, 104));
  sky.setColorAt(1, QColor(22, 96, 112));
  p.fillRect(rect(), sky);

  const QRectF court =
      QRectF(rect()).adjusted(width() * 0.12, height() * 0.14, -width() * 0.12, -height() * 0.14);
  p.fillRect(court.adjusted(-24, -24, 24, 24), QColor(44, 110, 150, 120));
  p.fillRect(court, QColor(52, 128, 168, 150));
  p.setPen(QPen(QColor(255, 255, 255, 150), 3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(court);
  const double alley = court.height() * 0.125;
  p.drawLine(QPointF(court.left(), court.top() + alley),
             QPointF(court.right(), court.top() + alley));
  p.drawLine(QPointF(court.left(), court.bottom() - alley),
             QPointF(court.right(), court.bottom() - alley));
  const double serviceDepth = court.width() * 0.23;
  const double midX = court.center().x();
  const QPointF leftService(midX - serviceDepth, 0);
  const QPointF rightService(midX + serviceDepth, 0);
  p.drawLine(QPointF(leftService.x(), court.top() + alley),
             QPointF(leftService.x(), court.bottom() - alley));
  p.drawLine(QPointF(rightService.x(), court.top() + alley),
             QPointF(rightService.x(), court.bottom() - alley));
  p.drawLine(QPointF(leftService.x(), court.center().y()),
             QPointF(rightService.x(), court.center().y()));
  p.setPen(QPen(QColor(240, 240, 240, 200), 4));
  p.drawLine(QPointF(midX, court.top() - 16), QPointF(midX, court.bottom() + 16));

  QRadialGradient ball(QPointF(court.right() - 70, court.top() + 60), 22);
  ball.setColorAt(0, QColor(236, 248, 120));
  ball.setColorAt(1, QColor(168, 198, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(ball);
  p.drawEllipse(QPointF(court.right() - 66, court.top() + 64), 18, 18);
}

AboutTab::AboutTab(WindowKit& kit, QWidget* parent) : QWidget(parent), kit_(kit) {
  auto* panel = new QFrame;
  panel->setObjectName(QStringLiteral("loginPanel"));
  panel->setStyleSheet(
      QStringLiteral("#loginPanel { background: rgba(255, 255, 255, 225); border-radius: 10px; }"));
  panel->setFixedWidth(340);

  loginEdit_ = new QLineEdit;
  loginEdit_->setObjectName(QStringLiteral("loginedit"));
  passEdit_ = new QLineEdit;
  passEdit_->setObjectName(QStringLiteral("passedit"));
  passEdit_->setEchoMode(QLineEdit::Password);
  zap_ = new QCheckBox(QString::fromUtf8("Запомнить"));
  zap_->setObjectName(QStringLiteral("zap"));
  auto* login = new QPushButton(QStringLiteral("LOGIN"));
  login->setObjectName(QStringLiteral("spSkinXFormButton1"));

  auto* version = new QLabel(QStringLiteral("Version: 4.3"));
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);

  const std::string vendorPage = kit.session().context().addresses.vendor + "/";
  auto* link = new QLabel(
      QStringLiteral("<a href=\"#\">%1</a>").arg(fromCp1251(vendorPage).toHtmlEscaped()));
  link->setObjectName(QStringLiteral("vendorLink"));
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  link->setCursor(Qt::PointingHandCursor);

  auto* form = new QGridLayout(panel);
  form->setContentsMargins(24, 20, 24, 20);
  form->setVerticalSpacing(10);
  form->addWidget(new QLabel(QStringLiteral("LOGIN:")), 0, 0);
  form->addWidget(loginEdit_, 0, 1);
  form->addWidget(new QLabel(QStringLiteral("PASSWORD:")), 1, 0);
  form->addWidget(passEdit_, 1, 1);
  form->addWidget(zap_, 2, 1);
  form->addWidget(login, 3, 1);
  form->addWidget(version, 4, 0, 1, 2, Qt::AlignCenter);
  form->addWidget(link, 5, 0, 1, 2, Qt::AlignCenter);

  auto* centre = new QGridLayout(this);
  centre->addWidget(panel, 0, 0, Qt::AlignCenter);

  AboutPage& about = kit.session().form().about;
  connect(loginEdit_, &QLineEdit::textEdited, this,
          [&about](const QString& text) { about.loginedit = toCp1251(text); });
  connect(passEdit_, &QLineEdit::textEdited, this,
          [&about](const QString& text) { about.passedit = toCp1251(text); });
  connect(zap_, &QCheckBox::toggled, this, [&about](bool on) { about.zap = on; });
  connect(login, &QPushButton::clicked, this, [this] {
    kit_.userAsked({WatchedList::Line, WatchedList::Radar, WatchedList::Live});
    kit_.runHandler([this] { kit_.session().spSkinXFormButton1Click(); });
  });
  connect(link, &QLabel::linkActivated, this,
          [this, vendorPage] { kit_.session().context().platform.openUrl(vendorPage); });
  // The log-in is sent with Enter from either field.
  for (QLineEdit* field : {loginEdit_, passEdit_})
    connect(field, &QLineEdit::returnPressed, login, &QPushButton::click);
}

void AboutTab::follow(const AboutPage& about) {
  const QString login = fromCp1251(about.loginedit);
  if (loginEdit_->text() != login) loginEdit_->setText(login);
  const QString password = fromCp1251(about.passedit);
  if (passEdit_->text() != password) passEdit_->setText(password);
  zap_->setChecked(about.zap);
}

void AboutTab::focusLogIn() {
  loginEdit_->setFocus();
}

}  // namespace korvex::ui
