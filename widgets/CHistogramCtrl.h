#pragma once
// A history graph: a black area with a label column on the left holding two lines of white text
// (the literal "Max" and the current maximum), and the samples as columns two pixels wide in the
// graph's colour, the newest next to the label column; a column's height is the area's height
// times the sample over the vertical maximum, at most the full height.

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <deque>

class CHistogramCtrl : public QWidget {
  Q_OBJECT
 public:
  explicit CHistogramCtrl(QWidget* parent = nullptr);

  void SetColour(const QColor& colour);
  void SetLabelWidth(int pixels);
  // The label column's lines ("Max", "2.000 Mbps").
  void SetLabels(const QStringList& lines);
  QStringList Labels() const { return labels_; }
  void SetVerticalMax(double max);
  double VerticalMax() const { return max_; }
  void AddSample(double value);
  // All samples at once, oldest first (what the owner keeps); only what fits is drawn.
  void SetSamples(const std::deque<double>& samples);
  // Every sample 0.
  void Clear();
  const std::deque<double>& Samples() const { return samples_; }
  // The height in pixels of the column of the `age`th newest sample (0: the newest).
  int ColumnHeight(size_t age) const;

  QSize sizeHint() const override { return {160, 48}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect GraphArea() const;

  QColor colour_{0, 255, 0};
  int labelWidth_ = 50;
  QStringList labels_;
  double max_ = 0;
  std::deque<double> samples_;
};
