#include "common/adapter/ui/CSelCardDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/adapter/ui/SelCardDlgIds.h"

namespace kavo9 {
namespace {

using namespace sel_card_dlg;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}
QString Name(int id) {
  return QString::number(id);
}

QLineEdit* ReadOnlyField(int id) {
  auto* edit = new QLineEdit;
  edit->setReadOnly(true);
  edit->setObjectName(Name(id));
  return edit;
}

}  // namespace

CSelCardDlg::CSelCardDlg(const std::vector<DeviceInstance>& devices,
                         const std::vector<size_t>& candidates, QWidget* parent)
    : QDialog(parent), devices_(devices) {
  setObjectName(Name(IDD_SELECT_CARD));
  setWindowTitle("Select a Wireless LAN card");
  for (size_t index : candidates) {
    if (index < devices.size()) candidates_.push_back(index);
  }

  auto* heading = new QLabel("Select wireless lan card");
  heading->setObjectName(Name(IDC_STATIC_HEADING));
  list_ = new QComboBox;
  list_->setObjectName(Name(IDC_COMBO_CARD));
  for (size_t index : candidates_) {
    const DeviceInstance& device = devices[index];
    list_->addItem(
        Text(device.friendlyName.empty() ? device.deviceDescription : device.friendlyName));
  }
  description_ = ReadOnlyField(IDC_EDIT_DESCRIPTION);
  hardwareId_ = ReadOnlyField(IDC_EDIT_HARDWARE_ID);
  location_ = ReadOnlyField(IDC_EDIT_LOCATION);
  manufacturer_ = ReadOnlyField(IDC_EDIT_MANUFACTURER);

  auto* form = new QFormLayout;
  form->addRow("Friendly Name : ", list_);
  form->addRow("Device Description : ", description_);
  form->addRow("Hardware ID : ", hardwareId_);
  form->addRow("Location Infoamation : ", location_);
  form->addRow("Manufactory : ", manufacturer_);

  auto* ok = new QPushButton("OK");
  ok->setObjectName(Name(IDOK));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(form);
  layout->addLayout(buttons);
  setMinimumWidth(460);

  connect(list_, &QComboBox::currentIndexChanged, this, [this] { ShowDetails(); });
  if (!candidates_.empty()) list_->setCurrentIndex(0);
  ShowDetails();
}

size_t CSelCardDlg::SelectedDevice() const {
  int line = list_->currentIndex();
  if (line < 0 || size_t(line) >= candidates_.size()) {
    return candidates_.empty() ? 0 : candidates_.front();
  }
  return candidates_[size_t(line)];
}

void CSelCardDlg::ShowDetails() {
  if (candidates_.empty()) return;
  const DeviceInstance& device = devices_[SelectedDevice()];
  description_->setText(Text(device.deviceDescription));
  hardwareId_->setText(device.hardwareIds.empty() ? QString() : Text(device.hardwareIds.front()));
  location_->setText(Text(device.locationInformation));
  manufacturer_->setText(Text(device.manufacturer));
}

size_t DialogAdapterChooser::Choose(const std::vector<DeviceInstance>& devices,
                                    const std::vector<size_t>& candidates) {
  CSelCardDlg dialog(devices, candidates, parent_);
  dialog.exec();  // closed without OK: the selected line all the same
  return dialog.SelectedDevice();
}

}  // namespace kavo9
