#pragma once
// The station's WMM page (dialog 262): the WMM, power-save and direct-link switches, their
// status, and the direct links, rendered from WmmPageModel. Every control's object name is its
// number.

#include <QWidget>
#include <array>
#include <functional>

#include "radio/wmm/WmmPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace kavo9 {

class CPageWMMDlg : public QWidget {
  Q_OBJECT
 public:
  using TextFn = std::function<QString(std::string_view key)>;
  using MessageFn = std::function<void(std::string_view key)>;
  CPageWMMDlg(radio::WmmPageModel& model, TextFn text, MessageFn showMessage,
              QWidget* parent = nullptr);
  ~CPageWMMDlg() override;

  void Render();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* BuildSwitches();
  QWidget* BuildDirectLinks();
  void ConnectDirectLinks();
  QWidget* BuildStatus();
  void TakeControls();
  void RenderLinks();
  void Refuse(std::optional<std::string_view> key);

  radio::WmmPageModel& model_;
  TextFn text_;
  MessageFn showMessage_;
  QCheckBox* wmm_ = nullptr;
  QCheckBox* apsd_ = nullptr;
  std::array<QCheckBox*, radio::kAccessCategoryCount> ac_{};
  QCheckBox* dls_ = nullptr;
  std::array<QLineEdit*, 6> mac_{};
  QLineEdit* timeout_ = nullptr;
  QTreeWidget* links_ = nullptr;
  QPushButton* setup_ = nullptr;
  QPushButton* tearDown_ = nullptr;
  QLabel* powerSaveLabel_ = nullptr;
  QLabel* wmmStatus_ = nullptr;
  QLabel* powerSaveStatus_ = nullptr;
  QLabel* dlsStatus_ = nullptr;
  std::vector<QWidget*> linkControls_;
  bool rendering_ = false;
};

}  // namespace kavo9
