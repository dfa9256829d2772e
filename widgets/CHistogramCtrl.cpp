#include "widgets/CHistogramCtrl.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr int kColumnWidth = 2;
constexpr size_t kMaxSamples = 1000;
}  // namespace

CHistogramCtrl::CHistogramCtrl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void CHistogramCtrl::SetColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void CHistogramCtrl::SetLabelWidth(int pixels) {
  labelWidth_ = std::max(pixels, 0);
  update();
}

void CHistogramCtrl::SetLabels(const QStringList& lines) {
  if (lines == labels_) return;
  labels_ = lines;
  setAccessibleDescription(labels_.join(QLatin1Char(' ')));
  update();
}

void CHistogramCtrl::SetVerticalMax(double max) {
  if (max == max_) return;
  max_ = max;
  update();
}

void CHistogramCtrl::AddSample(double value) {
  samples_.push_back(value);
  while (samples_.size() > kMaxSamples) samples_.pop_front();
  update();
}

void CHistogramCtrl::SetSamples(const std::deque<double>& samples) {
  if (samples == samples_) return;
  samples_ = samples;
  while (samples_.size() > kMaxSamples) samples_.pop_front();
  update();
}

void CHistogramCtrl::Clear() {
  std::fill(samples_.begin(), samples_.end(), 0.0);
  update();
}

QRect CHistogramCtrl::GraphArea() const {
  return rect().adjusted(labelWidth_, 1, -1, -1);
}

int CHistogramCtrl::ColumnHeight(size_t age) const {
  if (age >= samples_.size() || max_ <= 0) return 0;
  const double sample = samples_[samples_.size() - 1 - age];
  const int height = GraphArea().height();
  return std::clamp(int(height * sample / max_), 0, height);
}

void CHistogramCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  p.setPen(Qt::white);
  // The labels shrink to fit their column rather than spill into the graph.
  QFont labelFont = font();
  const int room = std::max(labelWidth_ - 4, 1);
  for (const QString& line : labels_) {
    while (labelFont.pointSizeF() > 5 && QFontMetrics(labelFont).horizontalAdvance(line) > room) {
      labelFont.setPointSizeF(labelFont.pointSizeF() - 0.5);
    }
  }
  p.setFont(labelFont);
  const int lineHeight = QFontMetrics(labelFont).height();
  const int top = std::max(0, (height() - lineHeight * int(labels_.size())) / 2);
  for (int i = 0; i < labels_.size(); ++i) {
    p.drawText(QRect(2, top + i * lineHeight, room, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
               labels_[i]);
  }
  const QRect area = GraphArea();
  const size_t fits = size_t(std::max(area.width(), 0) / kColumnWidth);
  for (size_t age = 0; age < std::min(fits, samples_.size()); ++age) {
    const int h = ColumnHeight(age);
    if (h <= 0) continue;
    const int x = area.left() + int(age) * kColumnWidth;
    p.fillRect(QRect(x, area.bottom() - h + 1, kColumnWidth, h), colour_);
  }
}
