#pragma once
// The WPS page (dialog 263): the WPS access points in range, the PIN box with Renew, the role and
// band choices, PIN and PBC, the status line with its progress bar, the credential list with
// Profile Detail, Connect, Rotate, Disconnect, Delete and Import Profile, and the two WPS element
// switches. It binds its controls to the page logic, which runs the page's timers.

#include <QWidget>
#include <functional>
#include <memory>

#include "common/platform/EventLoop.h"
#include "station/shell/LangKeys.h"
#include "station/wps/page/WpsPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class CProgressCtrlX;

namespace kavo9 {

class WpsApListModel;
class WpsProfileListModel;

using WpsTextLookup = std::function<QString(LangKey)>;

struct WpsPageOptions {
  bool bandChoiceShown = false;  // the settings file's "SupportPhyModeinWps"
};

class CPageWPSDlg : public QWidget, private wpspage::WpsPageHost {
  Q_OBJECT
 public:
  // `host` gets everything the page hands over except the redraws, which the window does.
  CPageWPSDlg(EventLoop& loop, wps::WpsPart& part, wpspage::WpsPageHost& host, WpsTextLookup text,
              const QString& faceName, WpsPageOptions options, QWidget* parent = nullptr);
  ~CPageWPSDlg() override;

  wpspage::WpsPage& Logic() { return *page_; }
  QTableView* ApList() const { return apList_; }
  QTableView* ProfileList() const { return profileList_; }
  // The logic's state shown.
  void Show();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // WpsPageHost: everything but Changed goes to the outer host.
  void ShowMessage(const std::string& text) override { host_.ShowMessage(text); }
  void RequestScan() override { host_.RequestScan(); }
  int WirelessMode() const override { return host_.WirelessMode(); }
  bool MaySetProfiles() const override { return host_.MaySetProfiles(); }
  void ShowApDetail(std::span<const uint8_t> record) override { host_.ShowApDetail(record); }
  void ShowCredentialDetail(uint32_t slot) override { host_.ShowCredentialDetail(slot); }
  void ImportCredential(const wps::WpsCredential& c) override { host_.ImportCredential(c); }
  void Changed() override;

  void BuildControls(const WpsTextLookup& text, const WpsPageOptions& options);
  QLayout* BuildApArea(const WpsTextLookup& text, const WpsPageOptions& options);
  // The PIN box with Renew, the role and the band.
  QLayout* BuildChoices(const WpsTextLookup& text, const WpsPageOptions& options);
  QLayout* BuildProfileArea(const WpsTextLookup& text);
  QTableView* MakeList(int number);
  QPushButton* MakeButton(const QString& text, int number, void (wpspage::WpsPage::*action)());
  void ShowLists();
  void ShowButtons();
  void SizeColumns(QTableView* list);

  wpspage::WpsPageHost& host_;
  std::unique_ptr<wpspage::WpsPage> page_;
  WpsApListModel* apModel_ = nullptr;
  WpsProfileListModel* profileModel_ = nullptr;
  QTableView* apList_ = nullptr;
  QTableView* profileList_ = nullptr;
  QLineEdit* pinBox_ = nullptr;
  QComboBox* configMode_ = nullptr;
  QComboBox* band_ = nullptr;
  QLabel* status_ = nullptr;
  CProgressCtrlX* progress_ = nullptr;
  QCheckBox* probeIe_ = nullptr;
  QCheckBox* assocIe_ = nullptr;
  QPushButton *rescan_ = nullptr, *information_ = nullptr, *pin_ = nullptr, *pbc_ = nullptr;
  QPushButton *renew_ = nullptr, *detail_ = nullptr, *connect_ = nullptr, *rotate_ = nullptr;
  QPushButton *disconnect_ = nullptr, *delete_ = nullptr, *import_ = nullptr;
  bool showing_ = false;
  bool built_ = false;
};

}  // namespace kavo9
