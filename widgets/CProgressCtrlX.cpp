#include "widgets/CProgressCtrlX.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

CProgressCtrlX::CProgressCtrlX(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  animation_.setInterval(55);
  connect(&animation_, &QTimer::timeout, this, &CProgressCtrlX::Glide);
}

void CProgressCtrlX::SetGradient(const QColor& first, const QColor& middle, const QColor& last) {
  if (first == first_ && middle == middle_ && last == last_) return;
  first_ = first;
  middle_ = middle;
  last_ = last;
  update();
}

void CProgressCtrlX::SetPosition(int position) {
  position = std::clamp(position, 0, 100);
  if (position == target_) return;
  target_ = position;
  setAccessibleDescription(caption_);
  if (animation_.interval() <= 0 || step_ <= 0) {
    shown_ = target_;
    update();
  } else if (!animation_.isActive()) {
    animation_.start();
  }
}

void CProgressCtrlX::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  setAccessibleDescription(caption_);
  setToolTip(caption_);
  update();
}

void CProgressCtrlX::SetCaptionFont(const QFont& font) {
  setFont(font);
  update();
}

void CProgressCtrlX::SetAnimation(int periodMs, int step) {
  step_ = step;
  animation_.setInterval(std::max(periodMs, 0));
  if (periodMs <= 0 || step <= 0) {
    animation_.stop();
    shown_ = target_;
    update();
  }
}

void CProgressCtrlX::Glide() {
  if (shown_ < target_) {
    shown_ = std::min(shown_ + step_, target_);
  } else if (shown_ > target_) {
    shown_ = std::max(shown_ - step_, target_);
  }
  if (shown_ == target_) animation_.stop();
  update();
}

void CProgressCtrlX::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect frame = rect();
  p.fillRect(frame, palette().color(QPalette::Base));
  const QRect inner = frame.adjusted(1, 1, -1, -1);
  const int filled = inner.width() * shown_ / 100;
  if (filled > 0) {
    QLinearGradient gradient(inner.topLeft(), inner.topRight());
    gradient.setColorAt(0, first_);
    gradient.setColorAt(0.5, middle_);
    gradient.setColorAt(1, last_);
    p.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()), gradient);
  }
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(frame.adjusted(0, 0, -1, -1));
  // Dark text reads on every band colour and on the empty part alike.
  p.setPen(QColor(20, 20, 20));
  p.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, caption_);
}
