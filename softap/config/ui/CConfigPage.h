#pragma once
// The access point's configuration page (194, "Config"): renders ConfigPageModel and hands the
// user's choices to it. Every control's object name is its number (softap/config/ConfigPageIds.h).

#include <QWidget>
#include <functional>
#include <memory>

#include "softap/config/ConfigPage.h"
#include "softap/shell/HostiraStrings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace kavo9::softap {

class CConfigPage : public QWidget {
  Q_OBJECT
 public:
  using MessageFn = std::function<void(int stringId)>;
  // The page owns its model, which must have been created (ConfigPageModel::Create).
  CConfigPage(const HostiraStrings& strings, std::unique_ptr<ConfigPageModel> model,
              MessageFn message, QWidget* parent = nullptr);
  ~CConfigPage() override;

  ConfigPageModel& Model() { return model_; }
  void Render();
  // Opens the security dialog (the SECURITY... button).
  void EditSecurity();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* BuildNetwork();
  QWidget* BuildRadio();
  QGroupBox* BuildHt();
  void Connect();
  void ConnectHt();
  void RenderRegions(const ConfigControls& c);
  void RenderHt(const ConfigControls& c);
  // What the timer looks at: the settings file decides the 802.11n group.
  void RenderVisibility();
  QString T(int id) const;
  QLabel* Label(int textId, QWidget* control, QWidget* parent);

  const HostiraStrings& strings_;
  std::unique_ptr<ConfigPageModel> owned_;
  ConfigPageModel& model_;
  MessageFn message_;
  QTimer* timer_ = nullptr;
  QComboBox* band_ = nullptr;
  QLineEdit* ssid_ = nullptr;
  QComboBox* channel_ = nullptr;
  QGroupBox* regionGroup_ = nullptr;
  QLabel* region24Label_ = nullptr;
  QComboBox* region24_ = nullptr;
  QLabel* region5Label_ = nullptr;
  QComboBox* region5_ = nullptr;
  QLineEdit* beacon_ = nullptr;
  QComboBox* txPower_ = nullptr;
  QLineEdit* idle_ = nullptr;
  QLabel* txRateLabel_ = nullptr;
  QComboBox* txRate_ = nullptr;
  QLabel* protectionLabel_ = nullptr;
  QComboBox* protection_ = nullptr;
  QCheckBox* noForwarding_ = nullptr;
  QCheckBox* hideSsid_ = nullptr;
  QCheckBox* txBurst_ = nullptr;
  QCheckBox* allow40_ = nullptr;
  QGroupBox* htGroup_ = nullptr;
  QButtonGroup* guard_ = nullptr;
  QButtonGroup* stbc_ = nullptr;
  QButtonGroup* htMode_ = nullptr;
  QComboBox* mcs_ = nullptr;
  QComboBox* ext_ = nullptr;
  bool rendering_ = false;
};

}  // namespace kavo9::softap
