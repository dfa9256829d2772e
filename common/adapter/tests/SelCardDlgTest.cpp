// The adapter selection dialog, driven as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "common/adapter/ui/CSelCardDlg.h"
#include "common/adapter/ui/SelCardDlgIds.h"

namespace kavo9 {
namespace {

using namespace sel_card_dlg;

template <typename T>
T* Find(QWidget& dialog, int id) {
  return dialog.findChild<T*>(QString::number(id));
}

std::vector<DeviceInstance> Devices() {
  DeviceInstance usb;
  usb.hardwareIds = {"USB\\VID_1D5A&PID_3070&REV_0101"};
  usb.friendlyName = "802.11n USB Wireless LAN Card";
  usb.deviceDescription = "802.11n USB Wireless LAN Card";
  usb.locationInformation = "Port_#0002.Hub_#0001";
  usb.manufacturer = "Tesmar";
  DeviceInstance other;
  other.hardwareIds = {"USB\\VID_7F00&PID_0001"};
  other.deviceDescription = "Another maker's adapter";
  DeviceInstance pci;
  pci.hardwareIds = {"PCI\\VEN_1D5A&DEV_0601&SUBSYS_00011D5A"};
  pci.deviceDescription = "802.11n PCI Wireless LAN Card";  // no friendly name
  pci.locationInformation = "PCI bus 3, device 0, function 0";
  pci.manufacturer = "Tesmar";
  return {usb, other, pci};
}

class SelCardDlg : public ::testing::Test {
 protected:
  std::vector<DeviceInstance> devices = Devices();
  std::vector<size_t> candidates = {0, 2};
};

TEST_F(SelCardDlg, ShowsTwoLinesWithTheFirstSelectedAndDetailsFollowingTheSelection) {
  CSelCardDlg dialog(devices, candidates);
  EXPECT_EQ(dialog.windowTitle(), "Select a Wireless LAN card");
  EXPECT_EQ(Find<QLabel>(dialog, IDC_STATIC_HEADING)->text(), "Select wireless lan card");
  EXPECT_EQ(Find<QPushButton>(dialog, IDOK)->text(), "OK");
  for (const char* label : {"Friendly Name : ", "Device Description : ", "Hardware ID : ",
                            "Location Infoamation : ", "Manufactory : "}) {
    bool found = false;
    for (QLabel* l : dialog.findChildren<QLabel*>()) found = found || l->text() == label;
    EXPECT_TRUE(found) << label;
  }

  QComboBox* list = Find<QComboBox>(dialog, IDC_COMBO_CARD);
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->itemText(0), "802.11n USB Wireless LAN Card");
  EXPECT_EQ(list->itemText(1), "802.11n PCI Wireless LAN Card");
  EXPECT_EQ(list->currentIndex(), 0);
  auto* hardwareId = Find<QLineEdit>(dialog, IDC_EDIT_HARDWARE_ID);
  EXPECT_TRUE(hardwareId->isReadOnly());
  EXPECT_EQ(hardwareId->text(), "USB\\VID_1D5A&PID_3070&REV_0101");
  EXPECT_EQ(Find<QLineEdit>(dialog, IDC_EDIT_LOCATION)->text(), "Port_#0002.Hub_#0001");
  EXPECT_EQ(dialog.SelectedDevice(), 0u);

  list->setCurrentIndex(1);
  EXPECT_EQ(hardwareId->text(), "PCI\\VEN_1D5A&DEV_0601&SUBSYS_00011D5A");
  EXPECT_EQ(Find<QLineEdit>(dialog, IDC_EDIT_DESCRIPTION)->text(), "802.11n PCI Wireless LAN Card");
  EXPECT_EQ(Find<QLineEdit>(dialog, IDC_EDIT_LOCATION)->text(), "PCI bus 3, device 0, function 0");
  EXPECT_EQ(Find<QLineEdit>(dialog, IDC_EDIT_MANUFACTURER)->text(), "Tesmar");
  EXPECT_EQ(dialog.SelectedDevice(), 2u);  // the device index, not the line
}

TEST_F(SelCardDlg, OkOrClosingTheWindowTakesTheSelectedLine) {
  for (bool pressOk : {true, false}) {
    QTimer::singleShot(0, [pressOk] {
      auto* dialog = qobject_cast<CSelCardDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      Find<QComboBox>(*dialog, IDC_COMBO_CARD)->setCurrentIndex(1);
      if (pressOk) {
        Find<QPushButton>(*dialog, IDOK)->click();
      } else {
        dialog->reject();  // Escape or the close box
      }
    });
    DialogAdapterChooser chooser;
    EXPECT_EQ(chooser.Choose(devices, candidates), 2u) << pressOk;
  }
}

}  // namespace
}  // namespace kavo9
