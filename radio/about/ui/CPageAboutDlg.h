#pragma once
// The About page of both programs (the station's page 136, the access point's `CAboutPage`,
// dialog 136): versions and dates, the adapter's address, in the access point its IP settings,
// and the button that opens the vendor's web address. Each control's object name is its number.

#include <QWidget>
#include <functional>

#include "radio/about/AboutInfo.h"
#include "radio/vocabulary/MacAddress.h"

class QGridLayout;
class QLabel;
class QTimer;

namespace kavo9 {

struct AboutTexts {
  QString title, utilityVersion, date, driverVersion, eepromVersion, firmwareVersion, macAddress;
  QString ipAddress, subnetMask, gateway, web;
};

enum class AboutFlavour {
  kStation,      // filled each time it is shown
  kAccessPoint,  // filled once; the IP settings while it is shown, every 5 seconds
};

class CPageAboutDlg : public QWidget {
  Q_OBJECT
 public:
  CPageAboutDlg(const radio::AboutReader& reader, AboutFlavour flavour, AboutTexts texts,
                std::function<void()> openWeb, QWidget* parent = nullptr);

  // Reads and shows everything (the IP settings in the access point too).
  void Fill();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QLabel* Row(int id, const QString& caption, int row, QLabel** captionLabel = nullptr);
  void FillIp();

  const radio::AboutReader& reader_;
  const AboutFlavour flavour_;
  const AboutTexts texts_;
  std::function<void()> openWeb_;
  QGridLayout* grid_ = nullptr;
  QLabel* utilityVersion_ = nullptr;
  QLabel* utilityDate_ = nullptr;
  QLabel* copyright_ = nullptr;
  QLabel* driverVersion_ = nullptr;
  QLabel* driverDate_ = nullptr;
  QLabel* eeprom_ = nullptr;
  QLabel* eepromCaption_ = nullptr;
  QLabel* firmware_ = nullptr;
  QLabel* firmwareCaption_ = nullptr;
  QLabel* mac_ = nullptr;
  QLabel* ip_ = nullptr;
  QLabel* mask_ = nullptr;
  QLabel* gateway_ = nullptr;
  QTimer* ipTimer_ = nullptr;
  radio::MacBytes macBytes_{};
};

// The access point's name for the same page.
using CAboutPage = CPageAboutDlg;

}  // namespace kavo9
