#pragma once
// The station's register page (dialog 131): one row per register file with its fields and Query,
// Set and Dump, and the RF and BBP tuning. A dump runs in the background of the window and tells
// its progress and its end beside the rows. Each control's object name is its number.

#include <QWidget>
#include <array>
#include <functional>

#include "radio/registers/RegisterPage.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTimer;

namespace kavo9 {

class CPageRegSettingDlg : public QWidget {
  Q_OBJECT
 public:
  // `showMessage` is the plain message box of a refused dump.
  CPageRegSettingDlg(radio::RegisterPageModel& model,
                     std::function<void(const QString&)> showMessage, QWidget* parent = nullptr);

  // A dump this page started ends with it (its file stays as far as it got).
  ~CPageRegSettingDlg() override;

  QString StatusText() const;

 private:
  struct RowIds {
    int first, second, value, query, set, dump;
  };
  void AddRow(int row, const QString& caption, radio::RegisterFile file, const RowIds& ids,
              int valueDigits);
  void AddTuning(int row);
  void Dumped(radio::RegisterFile file, bool written);

  radio::RegisterPageModel& model_;
  std::function<void(const QString&)> showMessage_;
  QGridLayout* grid_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer* progress_ = nullptr;
  QString dumping_;
  bool ownsDump_ = false;
};

}  // namespace kavo9
