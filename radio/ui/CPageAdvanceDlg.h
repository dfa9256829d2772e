#pragma once
// The station's advanced page (dialog 145, "Advance"): renders AdvancePageModel and passes the
// user's choices to it. Every control's object name is its number (radio/AdvanceControls.h).

#include <QWidget>
#include <map>

#include "radio/AdvancePage.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace kavo9 {

class CPageAdvanceDlg : public QWidget {
  Q_OBJECT
 public:
  // Creates the page's controls and runs the model's creation.
  explicit CPageAdvanceDlg(radio::AdvancePageModel& model, QWidget* parent = nullptr);
  ~CPageAdvanceDlg() override;

  // Puts the model's values and control states into the widgets.
  void Render();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  template <class W>
  W* Make(int id, QWidget* parent);
  QButtonGroup* RadioPair(int first, int second, QWidget* parent);
  void FillCombo(QComboBox* combo, const std::vector<std::string>& entries, int selected);
  void Connect();

  radio::AdvancePageModel& model_;
  std::map<int, QWidget*> controls_;
  QComboBox* mode_ = nullptr;
  QComboBox* txRate_ = nullptr;
  QComboBox* region24_ = nullptr;
  QComboBox* region5_ = nullptr;
  QComboBox* mcs_ = nullptr;
  QToolButton* bgProtection_ = nullptr;
  QMenu* bgMenu_ = nullptr;
  QCheckBox* txBurst_ = nullptr;
  QCheckBox* tcpWindow_ = nullptr;
  QCheckBox* showAuth_ = nullptr;
  QButtonGroup* htMode_ = nullptr;
  QButtonGroup* width_ = nullptr;
  QButtonGroup* guard_ = nullptr;
  QButtonGroup* stbc_ = nullptr;
  QButtonGroup* ext_ = nullptr;
  bool rendering_ = false;
};

}  // namespace kavo9
