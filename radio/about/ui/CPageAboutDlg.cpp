#include "radio/about/ui/CPageAboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "radio/vocabulary/MacAddress.h"

namespace kavo9 {

namespace {

constexpr int kDialog = 136;
constexpr int kUtilityVersion = 1053, kUtilityDate = 1056, kCopyright = 1085;
constexpr int kDriverVersion = 1052, kDriverDate = 1055;
constexpr int kApEeprom = 1054, kStationEeprom = 1057, kFirmware = 1058;
constexpr int kApMac = 1057, kStationMac = 3059;
constexpr int kIp = 1220, kMask = 1225, kGateway = 1226;
constexpr int kApWeb = 6063, kStationWeb = 3063;
constexpr int kIpRefreshMs = 5000;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

CPageAboutDlg::CPageAboutDlg(const radio::AboutReader& reader, AboutFlavour flavour,
                             AboutTexts texts, std::function<void()> openWeb, QWidget* parent)
    : QWidget(parent),
      reader_(reader),
      flavour_(flavour),
      texts_(std::move(texts)),
      openWeb_(std::move(openWeb)) {
  const bool ap = flavour_ == AboutFlavour::kAccessPoint;
  setObjectName(QString::number(kDialog));
  setWindowTitle(texts_.title);
  auto* layout = new QVBoxLayout(this);
  grid_ = new QGridLayout;
  layout->addLayout(grid_);
  int row = 0;
  utilityVersion_ = Row(kUtilityVersion, texts_.utilityVersion, row);
  utilityDate_ = Row(kUtilityDate, texts_.date, row++);
  copyright_ = new QLabel(this);
  copyright_->setObjectName(QString::number(kCopyright));
  grid_->addWidget(copyright_, row++, 0, 1, 4);
  driverVersion_ = Row(kDriverVersion, texts_.driverVersion, row);
  driverDate_ = Row(kDriverDate, texts_.date, row++);
  eeprom_ = Row(ap ? kApEeprom : kStationEeprom, texts_.eepromVersion, row, &eepromCaption_);
  firmware_ = Row(kFirmware, texts_.firmwareVersion, row++, &firmwareCaption_);
  firmware_->hide();
  firmwareCaption_->hide();
  mac_ = Row(ap ? kApMac : kStationMac, texts_.macAddress, row++);
  if (ap) {
    ip_ = Row(kIp, texts_.ipAddress, row++);
    mask_ = Row(kMask, texts_.subnetMask, row++);
    gateway_ = Row(kGateway, texts_.gateway, row++);
    ipTimer_ = new QTimer(this);
    ipTimer_->setInterval(kIpRefreshMs);
    connect(ipTimer_, &QTimer::timeout, this, [this] { FillIp(); });
  }
  grid_->setColumnStretch(1, 1);
  grid_->setColumnStretch(3, 1);
  auto* web = new QPushButton(texts_.web, this);
  web->setObjectName(QString::number(ap ? kApWeb : kStationWeb));
  connect(web, &QPushButton::clicked, this, [this] {
    if (openWeb_) openWeb_();
  });
  layout->addStretch(1);
  layout->addWidget(web, 0, Qt::AlignRight);
  MnemonicLetters letters;
  AssignMnemonics(this, letters);
  // The access point reads what it shows once, when the page is made.
  if (ap) Fill();
}

// A caption with its value beside it, two to a row: the value is selectable and named by its
// caption, so that a screen reader reads "Driver Version: 1.6.0.0".
QLabel* CPageAboutDlg::Row(int id, const QString& caption, int row, QLabel** captionLabel) {
  const int column = grid_->itemAtPosition(row, 0) ? 2 : 0;
  auto* label = new QLabel(caption, this);
  auto* value = new QLabel(this);
  value->setObjectName(QString::number(id));
  value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  value->setFocusPolicy(Qt::TabFocus);
  QString name = WithoutMnemonic(caption).trimmed();
  if (name.endsWith(QLatin1Char(':'))) name.chop(1);
  NameControl(value, name.trimmed());
  grid_->addWidget(label, row, column);
  grid_->addWidget(value, row, column + 1);
  if (captionLabel) *captionLabel = label;
  return value;
}

void CPageAboutDlg::Fill() {
  const radio::AboutInfo info = reader_.Read();
  utilityVersion_->setText(Q(info.utilityVersion));
  utilityDate_->setText(Q(info.utilityDate));
  copyright_->setText(Q(info.copyright));
  driverVersion_->setText(Q(info.driverVersion));
  driverDate_->setText(Q(info.driverDate));
  eeprom_->setText(Q(info.eepromVersion.value_or("")));
  eeprom_->setVisible(info.eepromVersion.has_value());
  eepromCaption_->setVisible(info.eepromVersion.has_value());
  firmware_->setText(Q(info.firmwareVersion.value_or("")));
  firmware_->setVisible(info.firmwareVersion.has_value());
  firmwareCaption_->setVisible(info.firmwareVersion.has_value());
  mac_->setText(Q(info.macAddress));
  macBytes_ = radio::ParseMacAddressText(info.macAddress).value_or(radio::MacBytes{});
  if (ip_) FillIp();
}

void CPageAboutDlg::FillIp() {
  const radio::AboutIpSettings ip = reader_.IpSettings(macBytes_);
  ip_->setText(Q(ip.ipAddress));
  mask_->setText(Q(ip.subnetMask));
  gateway_->setText(Q(ip.gateway));
}

void CPageAboutDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (flavour_ == AboutFlavour::kStation) {
    Fill();
  } else {
    FillIp();
    ipTimer_->start();
  }
}

void CPageAboutDlg::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (ipTimer_) ipTimer_->stop();
}

}  // namespace kavo9
