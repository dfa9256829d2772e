#include "widgets/SignalHistoryGraph.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

// The dBm scale of signal and noise, and the dB scale of the ratio beside it.
constexpr int kTopDbm = -20;
constexpr int kBottomDbm = -100;
constexpr int kTopSnr = 80;
constexpr int kScaleMargin = 34;
constexpr int kLegendHeight = 16;
constexpr int kTimeHeight = 13;

const QColor kSignalColour(0, 255, 0);
const QColor kNoiseColour(255, 96, 96);
const QColor kSnrColour(120, 190, 255);
const QColor kGridColour(70, 70, 70);

enum Which { kSignal, kNoise, kSnr };

int ValueOf(const SignalPoint& p, int which) {
  switch (which) {
    case kSignal:
      return p.signalDbm;
    case kNoise:
      return p.noiseDbm;
    default:
      return p.signalDbm - p.noiseDbm;
  }
}

}  // namespace

SignalHistoryGraph::SignalHistoryGraph(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void SignalHistoryGraph::SetPoints(std::vector<SignalPoint> points) {
  points_ = std::move(points);
  setToolTip(Legend());
  setAccessibleDescription(Summary());
  update();
}

void SignalHistoryGraph::SetSpanSeconds(int seconds) {
  spanSeconds_ = std::max(seconds, 60);
  update();
}

QString SignalHistoryGraph::Legend() const {
  if (points_.empty() || !points_.back().linked) return tr("Signal, noise and SNR: no link now");
  const SignalPoint& p = points_.back();
  return tr("Signal %1 dBm  Noise %2 dBm  SNR %3 dB")
      .arg(p.signalDbm)
      .arg(p.noiseDbm)
      .arg(p.signalDbm - p.noiseDbm);
}

QString SignalHistoryGraph::Summary() const {
  int lowest = 0, highest = 0, lowestSnr = 0, linked = 0;
  for (const SignalPoint& p : points_) {
    if (!p.linked) continue;
    const int snr = p.signalDbm - p.noiseDbm;
    if (linked++ == 0) {
      lowest = highest = p.signalDbm;
      lowestSnr = snr;
    }
    lowest = std::min(lowest, p.signalDbm);
    highest = std::max(highest, p.signalDbm);
    lowestSnr = std::min(lowestSnr, snr);
  }
  const int minutes = spanSeconds_ / 60;
  if (linked == 0) return tr("No link in the last %1 minutes").arg(minutes);
  return tr("%1. Over the last %2 minutes the signal ranged from %3 to %4 dBm, the SNR fell to "
            "%5 dB at its lowest")
      .arg(Legend())
      .arg(minutes)
      .arg(lowest)
      .arg(highest)
      .arg(lowestSnr);
}

void SignalHistoryGraph::DrawScales(QPainter& p, const QRect& area) const {
  p.setPen(kGridColour);
  for (int dbm = kTopDbm; dbm >= kBottomDbm; dbm -= 20) {
    const int y = area.top() + (kTopDbm - dbm) * area.height() / (kTopDbm - kBottomDbm);
    p.drawLine(area.left(), y, area.right(), y);
  }
  const int minutes = spanSeconds_ / 60;
  for (int m = 0; m <= minutes; m += 2) {
    const int x = area.right() - m * 60 * area.width() / spanSeconds_;
    p.drawLine(x, area.top(), x, area.bottom());
  }
  QFont small = font();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2));
  p.setFont(small);
  p.setPen(QColor(200, 200, 200));
  for (int dbm = kTopDbm; dbm >= kBottomDbm; dbm -= 40) {
    const int y = std::clamp(area.top() + (kTopDbm - dbm) * area.height() / (kTopDbm - kBottomDbm),
                             area.top() + 6, area.bottom() - 6);
    p.drawText(QRect(0, y - 7, kScaleMargin - 3, 14), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(dbm));
    const int snr = (dbm - kBottomDbm) * kTopSnr / (kTopDbm - kBottomDbm);
    p.setPen(kSnrColour);
    p.drawText(QRect(area.right() + 3, y - 7, kScaleMargin - 3, 14),
               Qt::AlignLeft | Qt::AlignVCenter, QString::number(snr));
    p.setPen(QColor(200, 200, 200));
  }
  // The units above their scales, and the minutes that fit along the bottom.
  p.drawText(QRect(0, 0, kScaleMargin - 3, kLegendHeight), Qt::AlignRight | Qt::AlignVCenter,
             "dBm");
  p.setPen(kSnrColour);
  p.drawText(QRect(area.right() + 3, 0, kScaleMargin - 3, kLegendHeight),
             Qt::AlignLeft | Qt::AlignVCenter, "dB");
  p.setPen(QColor(200, 200, 200));
  for (int m = 0; m <= minutes; m += 2) {
    const int x = area.right() - m * 60 * area.width() / spanSeconds_;
    const QString label = m == 0 ? tr("now") : tr("-%1 min").arg(m);
    const int half = p.fontMetrics().horizontalAdvance(label) / 2 + 1;
    if (x - half < 0 || x + half > width()) continue;
    p.drawText(QRect(x - half, area.bottom() + 1, 2 * half, kTimeHeight), Qt::AlignHCenter, label);
  }
}

void SignalHistoryGraph::DrawLine(QPainter& p, const QRect& area, const QColor& colour,
                                  int which) const {
  QPainterPath path;
  bool drawing = false;
  const double span = spanSeconds_;
  for (const SignalPoint& point : points_) {
    if (!point.linked || point.secondsAgo > span) {
      drawing = false;
      continue;
    }
    const double x = area.right() - point.secondsAgo * area.width() / span;
    double fraction = 0;
    if (which == kSnr) {
      fraction = double(ValueOf(point, which)) / kTopSnr;
    } else {
      fraction = double(ValueOf(point, which) - kBottomDbm) / (kTopDbm - kBottomDbm);
    }
    const double y = area.bottom() - std::clamp(fraction, 0.0, 1.0) * area.height();
    if (drawing) {
      path.lineTo(x, y);
    } else {
      path.moveTo(x, y);
      drawing = true;
    }
  }
  p.setPen(QPen(colour, 1.5));
  p.drawPath(path);
}

void SignalHistoryGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect area = rect().adjusted(kScaleMargin, kLegendHeight, -kScaleMargin, -kTimeHeight);
  if (area.width() < 10 || area.height() < 10) {
    p.fillRect(rect(), Qt::black);
    return;
  }
  const qreal ratio = devicePixelRatioF();
  if (scales_.size() != size() * ratio || scalesSpan_ != spanSeconds_) {
    scales_ = QPixmap(size() * ratio);
    scales_.setDevicePixelRatio(ratio);
    scales_.fill(Qt::black);
    QPainter background(&scales_);
    background.setFont(font());
    DrawScales(background, area);
    scalesSpan_ = spanSeconds_;
  }
  p.drawPixmap(0, 0, scales_);
  p.setRenderHint(QPainter::Antialiasing);
  DrawLine(p, area, kNoiseColour, kNoise);
  DrawLine(p, area, kSnrColour, kSnr);
  DrawLine(p, area, kSignalColour, kSignal);
  p.setRenderHint(QPainter::Antialiasing, false);
  // The legend: each figure in its line's colour, in a font small enough for the width.
  int x = area.left();
  const bool linked = !points_.empty() && points_.back().linked;
  const SignalPoint last = linked ? points_.back() : SignalPoint{};
  const std::pair<QColor, QString> parts[] = {
      {kSignalColour, linked ? tr("Signal %1 dBm").arg(last.signalDbm) : tr("Signal --")},
      {kNoiseColour, linked ? tr("Noise %1 dBm").arg(last.noiseDbm) : tr("Noise --")},
      {kSnrColour, linked ? tr("SNR %1 dB").arg(last.signalDbm - last.noiseDbm) : tr("SNR --")},
  };
  QFont legendFont = font();
  auto legendWidth = [&parts](const QFontMetrics& metrics) {
    int total = 0;
    for (const auto& part : parts) total += metrics.horizontalAdvance(part.second) + 10;
    return total;
  };
  while (legendFont.pointSizeF() > 6 && legendWidth(QFontMetrics(legendFont)) > area.width()) {
    legendFont.setPointSizeF(legendFont.pointSizeF() - 0.5);
  }
  p.setFont(legendFont);
  for (const auto& [colour, text] : parts) {
    p.setPen(colour);
    p.drawText(QRect(x, 0, area.width(), kLegendHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
    x += p.fontMetrics().horizontalAdvance(text) + 10;
  }
}
