#include "station/networks/ui/CAPDetailInfoDlg.h"

#include "common/ui/Accessibility.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "station/networks/ui/ApDetailIds.h"
#include "station/networks/ui/SignalBarDelegate.h"
#include "station/networks/ui/SiteSurveyModel.h"

namespace kavo9 {

// The General tab's signal bar.
class SignalBar : public QWidget {
 public:
  explicit SignalBar(QWidget* parent) : QWidget(parent) { setFixedHeight(12); }
  void SetPercent(int percent) {
    percent_ = percent;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const Rgb c = DetailSignalColour(percent_);
    PaintSignalBar(&painter, rect(), percent_, QColor(c.R, c.G, c.B));
  }

 private:
  int percent_ = 0;
};

namespace {

// The SSID reads as it does in the list.
QString FromBytes(const std::string& text) {
  return OctetsText(text);
}

// A caption's language text, or the dialog's own caption when the file lacks it.
QString Caption(const SurveyTextLookup& text, LangKey key, const char* fallback) {
  const QString fromFile = text(key);
  return fromFile.isEmpty() ? QString::fromLatin1(fallback) : fromFile;
}

}  // namespace

CAPDetailInfoDlg::CAPDetailInfoDlg(std::function<void()> returnToPages, SurveyTextLookup text,
                                   QWidget* parent)
    : QWidget(parent), returnToPages_(std::move(returnToPages)) {
  setObjectName(QString::number(apdetail::kDialog));
  tabs_ = new QTabWidget(this);
  // The language file names two of the four tabs; "General" and "CCX" have no key of their own.
  tabs_->addTab(MakeGeneralTab(text), "General");
  tabs_->addTab(MakeWpsTab(text), Caption(text, LangKey::IDS_TAB_WPS, "WPS"));
  tabs_->addTab(MakeCcxTab(), "CCX");
  tabs_->addTab(MakeHtTab(), Caption(text, LangKey::IDS_TAB_80211N, "802.11n"));

  auto* ok = new QPushButton(Caption(text, LangKey::IDS_OK, "OK"), this);
  ok->setObjectName(QString::number(apdetail::kOk));
  connect(ok, &QPushButton::clicked, this, [this] { returnToPages_(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
}

namespace {

// A tab whose rows keep their natural height: when the lower frame is too short for all of them,
// the tab scrolls instead of drawing rows over each other.
QWidget* NumberedTab(int number, const QString& name, QFormLayout** form) {
  auto* scroll = new QScrollArea;
  scroll->setObjectName(QString::number(number));
  NameControl(scroll, name);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  auto* rows = new QWidget;
  *form = new QFormLayout(rows);
  (*form)->setContentsMargins(8, 6, 8, 6);
  (*form)->setVerticalSpacing(3);
  (*form)->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  scroll->setWidget(rows);
  return scroll;
}

}  // namespace

QWidget* CAPDetailInfoDlg::MakeGeneralTab(const SurveyTextLookup& text) {
  QFormLayout* form = nullptr;
  QWidget* tab = NumberedTab(apdetail::kGeneralTab, QStringLiteral("General details"), &form);
  // Captions come from the language file where it has them; the values are found by the
  // dialog's own caption whatever the language.
  const std::pair<LangKey, const char*> captions[] = {
      {LangKey::IDS_SSID, "SSID >>"},
      {LangKey::IDS_MAC_ADDR, "MAC Address >>"},
      {LangKey::IDS_AUTH_TYPE, "Authentication Type >>"},
      {LangKey::IDS_ENCRY_TYPE, "Encryption Type >>"},
      {LangKey::IDS_LINK_CHANNEL, "Channel >>"},
      {LangKey::IDS_NETWORK_TYPE, "Network Type >>"},
      {LangKey::IDS_BEACON_INTERVAL, "Beacon Interval >>"},
  };
  for (const auto& [key, fallback] : captions) {
    auto* value = new QLabel(tab);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(Caption(text, key, fallback), value);
    values_.emplace_back(fallback, value);
  }
  signal_ = new SignalBar(tab);
  form->addRow("", signal_);
  auto* rates = new QLabel(tab);
  rates->setWordWrap(true);
  form->addRow(Caption(text, LangKey::IDS_SUPPORT_RATE, "Supported Rates (Mbps)"), rates);
  values_.emplace_back("Supported Rates (Mbps)", rates);
  return tab;
}

QWidget* CAPDetailInfoDlg::MakeWpsTab(const SurveyTextLookup& text) {
  QFormLayout* form = nullptr;
  QWidget* tab = NumberedTab(apdetail::kWpsTab, QStringLiteral("WPS details"), &form);
  const std::pair<LangKey, const char*> captions[] = {
      {LangKey::IDS_AUTH_TYPE, "Authentication Type >>"},
      {LangKey::IDS_ENCRY_TYPE, "Encryption Type >>"},
      {LangKey::IDS_WPS_CONFIG_METH, "Config Methods >>"},
      {LangKey::IDS_WPS_DEVICE_PW_ID, "Device Password ID >>"},
      {LangKey::IDS_WPS_SELECTED_REG, "Selected Register >>"},
      {LangKey::IDS_WPS_STATE, "State >>"},
      {LangKey::IDS_WPS_VERSION, "Version >>"},
      {LangKey::IDS_WPS_AP_SETUP_LOCKED, "AP Setup Locked >>"},
      {LangKey::IDS_WPS_UUID_E, "UUID-E >>"},
      {LangKey::IDS_WPS_RF_BAND, "RF Bands >>"},
  };
  for (const auto& [key, fallback] : captions) {
    auto* value = new QLabel(tab);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(Caption(text, key, fallback), value);
    values_.emplace_back(QString("WPS ") + fallback, value);
  }
  return tab;
}

QWidget* CAPDetailInfoDlg::MakeCcxTab() {
  QFormLayout* form = nullptr;
  QWidget* tab = NumberedTab(apdetail::kCcxTab, QStringLiteral("CCX details"), &form);
  for (const char* caption : {"CCKM >>", "Cmic >>", "Ckip >>"}) {
    auto* value = new QLabel(tab);
    form->addRow(caption, value);
    values_.emplace_back(caption, value);
  }
  return tab;
}

QWidget* CAPDetailInfoDlg::MakeHtTab() {
  auto* tab = new QWidget;
  tab->setObjectName(QString::number(apdetail::k80211nTab));
  htTree_ = new QTreeWidget(tab);
  htTree_->setColumnCount(2);
  htTree_->setHeaderHidden(true);
  NameControl(htTree_, QStringLiteral("802.11n details"));
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(htTree_);
  return tab;
}

QString CAPDetailInfoDlg::ValueOf(const QString& caption) const {
  for (const auto& [name, label] : values_)
    if (name == caption) return label->text();
  return {};
}

void CAPDetailInfoDlg::ShowRecord(std::span<const uint8_t> record) {
  detail_ = BuildApDetail(record);
  const ApGeneralTab& g = detail_.General;
  const std::string* general[] = {&g.Ssid,    &g.MacAddress,  &g.Authentication, &g.Encryption,
                                  &g.Channel, &g.NetworkType, &g.BeaconInterval, &g.SupportedRates};
  const ApWpsTab& w = detail_.Wps;
  std::vector<const std::string*> all(std::begin(general), std::end(general));
  all.push_back(&w.Authentication);
  all.push_back(&w.Encryption);
  for (const std::string& field : w.Fields) all.push_back(&field);
  all.push_back(&detail_.Ccx.Cckm);
  all.push_back(&detail_.Ccx.Cmic);
  all.push_back(&detail_.Ccx.Ckip);
  for (size_t i = 0; i < all.size() && i < values_.size(); ++i)
    values_[i].second->setText(FromBytes(*all[i]));
  signal_->SetPercent(g.SignalPercent);

  htTree_->clear();
  for (const ApHtGroup& group : detail_.Ht) {
    auto* parent = new QTreeWidgetItem(
        htTree_, {QString::fromLatin1(group.Title.data(), qsizetype(group.Title.size()))});
    for (const auto& [name, value] : group.Fields)
      new QTreeWidgetItem(
          parent, {QString::fromLatin1(name.data(), qsizetype(name.size())), FromBytes(value)});
  }
  htTree_->expandAll();
  htTree_->resizeColumnToContents(0);
  tabs_->setCurrentIndex(0);
}

}  // namespace kavo9
