#pragma once
// The profile editor's system tab: name, SSID, network type, power saving, transmit power,
// preamble, ad hoc channel and the two thresholds, bound to the editor's logic.

#include <QWidget>
#include <functional>

#include "station/networks/profiles/editor/ProfileEditor.h"
#include "station/networks/profiles/editor/ui/EditorWidgets.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace kavo9 {

class CPageSystemConfigDlg : public QWidget {
  Q_OBJECT
 public:
  CPageSystemConfigDlg(profileeditor::ProfileEditor& editor, const EditorTextLookup& text,
                       QWidget* parent = nullptr);

  // Shows the logic's values and which controls are in use.
  void Show();
  // The typed texts into the logic (before OK).
  void Take();
  // Called after the network type changed (the host's 802.1X tab follows it).
  void SetChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }

 private:
  void Build(const EditorTextLookup& text);
  void BuildThresholds(const EditorTextLookup& text, QWidget* box);

  profileeditor::ProfileEditor& editor_;
  std::function<void()> changed_;
  QString infraText_, adhocText_;
  QLineEdit* name_ = nullptr;
  QComboBox* ssid_ = nullptr;
  QRadioButton* cam_ = nullptr;
  QRadioButton* psm_ = nullptr;
  QLabel* powerLabels_[3] = {};
  ChoiceButton* networkType_ = nullptr;
  ChoiceButton* txPower_ = nullptr;
  ChoiceButton* preamble_ = nullptr;
  QLabel* preambleLabel_ = nullptr;
  QComboBox* channel_ = nullptr;
  QLabel* channelLabel_ = nullptr;
  QCheckBox* useRts_ = nullptr;
  QSlider* rtsSlider_ = nullptr;
  QLineEdit* rtsEdit_ = nullptr;
  QLabel* rtsRange_[2] = {};
  QCheckBox* useFrag_ = nullptr;
  QSlider* fragSlider_ = nullptr;
  QLineEdit* fragEdit_ = nullptr;
  QLabel* fragRange_[2] = {};
  bool showing_ = false;
};

}  // namespace kavo9
