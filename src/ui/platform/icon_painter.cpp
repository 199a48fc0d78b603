#include "ui/platform/icon_painter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <functional>
#include <numbers>

#include "ui/platform/fonts.h"

namespace korvex::ui {

namespace {

QImage drawn(const std::function<void(QPainter&)>& paint, int width = kIconSize,
             int height = kIconSize) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  paint(p);
  return image;
}

void barChart(QPainter& p) {
  const QColor colours[] = {QColor(52, 120, 198), QColor(76, 170, 80), QColor(236, 140, 40)};
  const int heights[] = {6, 10, 13};
  for (int i = 0; i < 3; ++i) {
    p.setPen(colours[i].darker(130));
    p.setBrush(colours[i]);
    p.drawRect(QRectF(1.5 + i * 5, 15.5 - heights[i], 3.5, heights[i]));
  }
}

void listLines(QPainter& p) {
  for (int i = 0; i < 3; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(52, 120, 198));
    p.drawEllipse(QRectF(1.5, 2.5 + i * 4.5, 3, 3));
    p.setPen(QPen(QColor(70, 80, 96), 1.6));
    p.drawLine(QPointF(6.5, 4 + i * 4.5), QPointF(14.5, 4 + i * 4.5));
  }
}

void reportSheet(QPainter& p) {
  QPainterPath sheet;
  sheet.moveTo(3.5, 1.5);
  sheet.lineTo(10.5, 1.5);
  sheet.lineTo(13.5, 4.5);
  sheet.lineTo(13.5, 14.5);
  sheet.lineTo(3.5, 14.5);
  sheet.closeSubpath();
  p.setPen(QColor(90, 100, 120));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
  p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
  p.setPen(QPen(QColor(52, 120, 198), 1));
  for (int i = 0; i < 4; ++i) p.drawLine(QPointF(5.5, 6.5 + i * 2), QPointF(11.5, 6.5 + i * 2));
}

void radarScreen(QPainter& p) {
  p.setPen(QPen(QColor(20, 90, 40), 1));
  p.setBrush(QColor(30, 140, 70));
  p.drawEllipse(QRectF(1, 1, 14, 14));
  p.setPen(QPen(QColor(160, 240, 170), 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
  p.setPen(QPen(QColor(210, 255, 210), 1.4));
  p.drawLine(QPointF(8, 8), QPointF(13, 4));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 230, 80));
  p.drawEllipse(QRectF(4, 9, 2.5, 2.5));
}

void liveDot(QPainter& p) {
  p.setPen(QPen(QColor(200, 30, 30), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 40, 40));
  p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
}

void aboutInfo(QPainter& p) {
  p.setPen(QPen(QColor(30, 80, 160), 1));
  p.setBrush(QColor(52, 120, 198));
  p.drawEllipse(QRectF(1, 1, 14, 14));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(7, 3.5, 2.2, 2.2));
  p.drawRoundedRect(QRectF(7, 7, 2.2, 6), 0.8, 0.8);
}

void television(QPainter& p) {
  p.setPen(QColor(50, 55, 65));
  p.setBrush(QColor(70, 120, 190));
  p.drawRoundedRect(QRectF(1.5, 3.5, 13, 9), 1.5, 1.5);
  p.drawLine(QPointF(5, 14.5), QPointF(11, 14.5));
  p.drawLine(QPointF(6, 1), QPointF(8, 3.5));
  p.drawLine(QPointF(10, 1), QPointF(8, 3.5));
}

void radarMark(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(20, 50, 140));
  p.setBrush(QColor(40, 90, 210));
  p.drawRect(0, 0, 15, 15);
  p.setRenderHint(QPainter::Antialiasing);
  const QPolygonF arrow{{8, 2}, {13.5, 8}, {10, 8}, {10, 13.5}, {6, 13.5}, {6, 8}, {2.5, 8}};
  p.setPen(QColor(170, 80, 0));
  p.setBrush(QColor(255, 150, 30));
  p.drawPolygon(arrow);
}

void forecastTrend(QPainter& p) {
  p.setPen(QPen(QColor(120, 130, 150), 1));
  p.drawLine(QPointF(1.5, 1), QPointF(1.5, 14.5));
  p.drawLine(QPointF(1.5, 14.5), QPointF(15, 14.5));
  p.setPen(QPen(QColor(220, 60, 40), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPolygonF trend{{3, 12}, {6.5, 8}, {9, 10}, {13.5, 3.5}};
  p.drawPolyline(trend);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 60, 40));
  p.drawPolygon(QPolygonF{{14.8, 2.2}, {10.8, 3.2}, {13.8, 6.2}});
}

void house(QPainter& p) {
  p.setPen(QColor(120, 50, 30));
  p.setBrush(QColor(210, 80, 50));
  p.drawPolygon(QPolygonF{{8, 1.5}, {15, 8}, {1, 8}});
  p.setPen(QColor(90, 90, 100));
  p.setBrush(QColor(245, 235, 210));
  p.drawRect(QRectF(3, 8, 10, 6.5));
  p.setBrush(QColor(52, 120, 198));
  p.drawRect(QRectF(6.5, 10, 3, 4.5));
}

void awayArrow(QPainter& p) {
  p.setPen(QColor(90, 90, 100));
  p.setBrush(QColor(245, 235, 210));
  p.drawRect(QRectF(1.5, 2.5, 7, 11));
  p.setPen(QPen(QColor(40, 140, 70), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(5, 8), QPointF(12, 8));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 140, 70));
  p.drawPolygon(QPolygonF{{15.5, 8}, {11, 4}, {11, 12}});
}

void headToHead(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(52, 120, 198));
  p.drawEllipse(QRectF(1, 2, 6, 6));
  p.drawChord(QRectF(0, 8.5, 8, 10), 0, 180 * 16);
  p.setBrush(QColor(214, 60, 50));
  p.drawEllipse(QRectF(9, 2, 6, 6));
  p.drawChord(QRectF(8, 8.5, 8, 10), 0, 180 * 16);
}

void serveBall(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
}

void star(QPainter& p) {
  QPolygonF shape;
  for (int i = 0; i < 10; ++i) {
    const double radius = (i % 2 == 0) ? 7.2 : 3.0;
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    shape << QPointF(8 + radius * std::cos(angle), 8.3 + radius * std::sin(angle));
  }
  p.setPen(QColor(190, 130, 0));
  p.setBrush(QColor(255, 200, 40));
  p.drawPolygon(shape);
}

}  // namespace

QImage drawTennisBall() {
  return drawn([](QPainter& p) {
    QRadialGradient felt(QPointF(6, 5), 9);
    felt.setColorAt(0, QColor(232, 245, 110));
    felt.setColorAt(1, QColor(170, 200, 40));
    p.setPen(QPen(QColor(120, 145, 20), 0.8));
    p.setBrush(felt);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(QPen(Qt::white, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-5.5, 2, 10, 12), -70 * 16, 140 * 16);
    p.drawArc(QRectF(11.5, 2, 10, 12), 110 * 16, 140 * 16);
  });
}

QImage drawFace(bool female) {
  return drawn([female](QPainter& p) {
    const QColor skin = female ? QColor(236, 112, 170) : QColor(52, 110, 210);
    if (female) {
      p.setPen(Qt::NoPen);
      p.setBrush(skin.darker(140));
      p.drawEllipse(QRectF(1, 1, 14, 15));
    }
    p.setPen(QPen(skin.darker(150), 0.8));
    p.setBrush(skin);
    p.drawEllipse(QRectF(2.5, 2, 11, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(5, 6, 2.2, 2.2));
    p.drawEllipse(QRectF(8.8, 6, 2.2, 2.2));
    p.setPen(QPen(Qt::white, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5.5, 7.5, 5, 4), -20 * 16, -140 * 16);
  });
}

QImage drawIcon(Icon icon) {
  switch (icon) {
    case Icon::Stats:
      return drawn(barChart);
    case Icon::Line:
      return drawn(listLines);
    case Icon::Report:
      return drawn(reportSheet);
    case Icon::Radar:
      return drawn(radarScreen);
    case Icon::Live:
      return drawn(liveDot);
    case Icon::About:
      return drawn(aboutInfo);
    case Icon::Tv:
      return drawn(television);
    case Icon::RadarMark:
      return drawn(radarMark);
    case Icon::Forecast:
      return drawn(forecastTrend);
    case Icon::HomeResults:
      return drawn(house);
    case Icon::AwayResults:
      return drawn(awayArrow);
    case Icon::HeadToHead:
      return drawn(headToHead);
    case Icon::ServeBall:
      return drawn(serveBall);
    case Icon::Value:
      return drawn(star);
    case Icon::Blank:
    case Icon::Count:
      break;
  }
  return drawn([](QPainter&) {});
}

QImage drawFallbackFlag(const QString& isoCode) {
  // The stripe colours come from the letters, so each missing flag stays recognisable.
  const size_t seed = qHash(isoCode);
  const QColor top = QColor::fromHsv(static_cast<int>(seed % 360), 150, 200);
  const QColor bottom = QColor::fromHsv(static_cast<int>((seed / 360) % 360), 170, 150);
  return drawn(
      [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(0, 0, 16, 6, top);
        p.fillRect(0, 6, 16, 5, bottom);
        QFont font = arialFont(8);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 11), Qt::AlignCenter, isoCode.left(2).toUpper());
      },
      16, 11);
}

QImage centredOnIcon(const QImage& image) {
  return drawn([&image](QPainter& p) {
    p.drawImage((kIconSize - image.width()) / 2, (kIconSize - image.height()) / 2, image);
  });
}

QImage drawCardPlaceholder(int width, int height) {
  return drawn(
      [width, height](QPainter& p) {
        QLinearGradient ground(0, 0, 0, height);
        ground.setColorAt(0, QColor(214, 224, 236));
        ground.setColorAt(1, QColor(170, 186, 206));
        p.fillRect(QRect(0, 0, width, height), ground);
        const QColor figure(120, 138, 162);
        p.setPen(Qt::NoPen);
        p.setBrush(figure);
        const double w = width;
        const double h = height;
        p.drawEllipse(QRectF(w * 0.33, h * 0.16, w * 0.34, w * 0.34));
        p.drawChord(QRectF(w * 0.14, h * 0.58, w * 0.72, h * 0.8), 0, 180 * 16);
      },
      width, height);
}

}  // namespace korvex::ui
