#pragma once
// A progress bar painted with a three-stop colour gradient and a caption drawn over it. The
// caption is either a text shown as it is, or a percent form the owner fills with the position
// (the owner formats it: the bar never interprets a translated text). The fill glides towards a
// new position by `step` every `periodMs` (0 jumps at once); the bar's accessible value is the
// target position, and its accessible description the caption.

#include <QColor>
#include <QTimer>
#include <QWidget>

class CProgressCtrlX : public QWidget {
  Q_OBJECT
 public:
  explicit CProgressCtrlX(QWidget* parent = nullptr);

  // The gradient across the filled part: first, middle and last colour.
  void SetGradient(const QColor& first, const QColor& middle, const QColor& last);
  // 0 to 100; values outside are clamped.
  void SetPosition(int position);
  int Position() const { return target_; }
  // The position the fill is drawn at right now (it trails Position() while it glides).
  int ShownPosition() const { return shown_; }
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  void SetCaptionFont(const QFont& font);
  // How the fill glides: `step` per `periodMs`; a period of 0 makes every change immediate.
  void SetAnimation(int periodMs, int step);
  QColor FirstColour() const { return first_; }

  QSize sizeHint() const override { return {160, 18}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Glide();

  QColor first_{0, 255, 0}, middle_{166, 202, 240}, last_{0, 255, 0};
  int target_ = 0;
  int shown_ = 0;
  int step_ = 1;
  QString caption_;
  QTimer animation_;
};
