#include "station/networks/ui/SurveyListImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace kavo9 {
namespace {

// Drawn here until the shared icon set provides the list images.
QPixmap Letter(const QString& letter, QColor background) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(background);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
  QFont font = p.font();
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(background.lightness() > 150 ? Qt::black : Qt::white);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, letter);
  return pixmap;
}

QPixmap Triangle(QColor colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath path;
  path.moveTo(4, 2);
  path.lineTo(13, 8);
  path.lineTo(4, 14);
  path.closeSubpath();
  p.fillPath(path, colour);
  return pixmap;
}

QPixmap Drawn(int index) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (index) {
    case 0:  // an adapter card
      p.setPen(QPen(QColor(60, 60, 60), 1));
      p.setBrush(QColor(120, 160, 200));
      p.drawRect(QRectF(1.5, 5.5, 13, 6));
      p.fillRect(QRectF(3, 11.5, 3, 2), QColor(200, 170, 40));
      break;
    case 1:  // an access point with two antennas
      p.setPen(QPen(QColor(60, 60, 60), 1.5));
      p.drawLine(QPointF(4, 9), QPointF(3, 2));
      p.drawLine(QPointF(12, 9), QPointF(13, 2));
      p.setBrush(QColor(90, 90, 100));
      p.drawRoundedRect(QRectF(1.5, 9, 13, 5), 1.5, 1.5);
      break;
    case 5:  // a key
      p.setPen(QPen(QColor(245, 158, 11), 2));
      p.drawEllipse(QPointF(5, 8), 3, 3);
      p.drawLine(QPointF(8, 8), QPointF(15, 8));
      p.drawLine(QPointF(13, 8), QPointF(13, 11));
      break;
    case 8: {  // two circling arrows
      p.setPen(QPen(QColor(30, 120, 200), 2));
      p.drawArc(QRectF(2, 2, 12, 12), 30 * 16, 150 * 16);
      p.drawArc(QRectF(2, 2, 12, 12), 210 * 16, 150 * 16);
      break;
    }
    default:
      break;
  }
  return pixmap;
}

}  // namespace

QIcon SurveyListImage(int index) {
  static const std::array<QIcon, 10> images = [] {
    std::array<QIcon, 10> all;
    all[0] = QIcon(Drawn(0));
    all[1] = QIcon(Drawn(1));
    all[2] = QIcon(Letter("a", QColor(250, 210, 40)));
    all[3] = QIcon(Letter("b", QColor(20, 40, 120)));
    all[4] = QIcon(Letter("g", QColor(40, 160, 60)));
    all[5] = QIcon(Drawn(5));
    all[6] = QIcon(Triangle(QColor(30, 90, 220)));
    all[7] = QIcon(Triangle(QColor(150, 150, 150)));
    all[8] = QIcon(Drawn(8));
    all[9] = QIcon(Letter("n", QColor(120, 50, 170)));
    return all;
  }();
  if (index < 0 || index >= int(images.size())) return {};
  return images[size_t(index)];
}

}  // namespace kavo9
