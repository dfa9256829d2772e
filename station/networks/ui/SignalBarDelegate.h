#pragma once
// Paints a signal bar (0 to 100, coloured by its value) in the list's signal column.

#include <QStyledItemDelegate>

namespace kavo9 {

class SignalBarDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

// Draws one bar filled to `percent` of `rect` in `colour` over a light track.
void PaintSignalBar(QPainter* painter, const QRect& rect, int percent, const QColor& colour);

}  // namespace kavo9
