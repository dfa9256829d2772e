#pragma once
// The link's signal, noise and signal-to-noise ratio over the last minutes, drawn as three lines
// on a dark area: signal and noise against a dBm scale on the left, the ratio against a dB scale
// on the right, minutes along the bottom with "now" at the right edge. Moments without a link
// (or without readings) break the lines. A legend on top gives the newest figures in words, and
// the accessible description sums the span up for a screen reader.

#include <QPixmap>
#include <QWidget>
#include <vector>

struct SignalPoint {
  double secondsAgo = 0;  // before the newest reading
  bool linked = false;
  int signalDbm = 0;
  int noiseDbm = 0;
};

class SignalHistoryGraph : public QWidget {
  Q_OBJECT
 public:
  explicit SignalHistoryGraph(QWidget* parent = nullptr);

  // Oldest first.
  void SetPoints(std::vector<SignalPoint> points);
  const std::vector<SignalPoint>& Points() const { return points_; }
  void SetSpanSeconds(int seconds);
  // The legend's words, for the newest reading ("Signal -47 dBm  Noise -92 dBm  SNR 45 dB"), or
  // what it says without one.
  QString Legend() const;
  // The span in words for a screen reader.
  QString Summary() const;

  QSize sizeHint() const override { return {300, 120}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawScales(class QPainter& p, const QRect& area) const;
  void DrawLine(class QPainter& p, const QRect& area, const QColor& colour, int which) const;

  std::vector<SignalPoint> points_;
  int spanSeconds_ = 600;
  QPixmap scales_;  // the grid and the scales, drawn again only when the size or span changes
  int scalesSpan_ = 0;
};
