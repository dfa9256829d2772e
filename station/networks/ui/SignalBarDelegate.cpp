#include "station/networks/ui/SignalBarDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "station/networks/ui/SiteSurveyModel.h"

namespace kavo9 {

void PaintSignalBar(QPainter* painter, const QRect& rect, int percent, const QColor& colour) {
  const int clamped = std::clamp(percent, 0, 100);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(Qt::NoPen);
  painter->setBrush(QColor(232, 236, 240));
  painter->drawRoundedRect(rect, 2, 2);
  QRect filled = rect;
  filled.setWidth(rect.width() * clamped / 100);
  if (filled.width() > 0) {
    painter->setBrush(colour);
    painter->drawRoundedRect(filled, 2, 2);
  }
  painter->restore();
}

void SignalBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const QVariant percent = index.data(SiteSurveyModel::kSignalPercentRole);
  if (!percent.isValid()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  // The selection background first, then the bar inside a margin.
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);
  const QRect bar =
      option.rect.adjusted(4, option.rect.height() / 4, -4, -option.rect.height() / 4);
  PaintSignalBar(painter, bar, percent.toInt(),
                 index.data(SiteSurveyModel::kBarColourRole).value<QColor>());
}

}  // namespace kavo9
