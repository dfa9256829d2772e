#pragma once
// The adapter selection dialog: one line per qualifying adapter and the selected one's details.

#include <QDialog>

#include "common/adapter/AdapterChooser.h"

class QComboBox;
class QLineEdit;

namespace kavo9 {

class CSelCardDlg : public QDialog {
  Q_OBJECT

 public:
  CSelCardDlg(const std::vector<DeviceInstance>& devices, const std::vector<size_t>& candidates,
              QWidget* parent = nullptr);
  // The device index of the selected line.
  size_t SelectedDevice() const;

 private:
  void ShowDetails();

  const std::vector<DeviceInstance>& devices_;
  std::vector<size_t> candidates_;
  QComboBox* list_;
  QLineEdit* description_;
  QLineEdit* hardwareId_;
  QLineEdit* location_;
  QLineEdit* manufacturer_;
};

// Lets discovery ask the user through the dialog. Closing the dialog without OK keeps the
// selected line.
class DialogAdapterChooser : public AdapterChooser {
 public:
  explicit DialogAdapterChooser(QWidget* parent = nullptr) : parent_(parent) {}
  size_t Choose(const std::vector<DeviceInstance>& devices,
                const std::vector<size_t>& candidates) override;

 private:
  QWidget* parent_;
};

}  // namespace kavo9
