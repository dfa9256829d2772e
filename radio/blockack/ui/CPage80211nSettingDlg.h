#pragma once
// The "11n Setting" page of both programs (the station's dialog 3243, the access point's
// `CBlockAck`, dialog 3218): the 802.11n MAC options and the Block Ack session lists, rendered
// from BlockAckPageModel; the add and delete dialogs open from its session buttons.

#include <QPointer>
#include <QWidget>

#include "radio/blockack/BlockAckPage.h"
#include "radio/blockack/ui/BlockAckTexts.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QTreeWidget;

namespace kavo9 {

class CBlockAckPeerDlg;

class CPage80211nSettingDlg : public QWidget {
  Q_OBJECT
 public:
  CPage80211nSettingDlg(radio::BlockAckPageModel& model, BlockAckFlavour flavour,
                        BlockAckTexts texts, BlockAckHooks hooks, QWidget* parent = nullptr);
  ~CPage80211nSettingDlg() override;

  // The hand-overs, when they need the page itself.
  void SetHooks(BlockAckHooks hooks) { hooks_ = std::move(hooks); }
  // Puts the model's options, enabling and sessions into the controls.
  void Render();
  // The dialog opened by a session button, while it is open (for tests and pictures).
  CBlockAckPeerDlg* OpenDialog() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* BuildOptions();
  void ConnectOptions();
  QWidget* BuildSide(radio::BaSide side);
  void RenderSessions();
  void TakeControls();
  void OpenAdd(radio::BaSide side);
  void OpenDelete(radio::BaSide side, bool chooseTid);

  radio::BlockAckPageModel& model_;
  const BlockAckFlavour flavour_;
  const BlockAckTexts texts_;
  BlockAckHooks hooks_;
  QCheckBox* mpdu_ = nullptr;
  QCheckBox* amsdu_ = nullptr;
  QComboBox* density_ = nullptr;
  QButtonGroup* mode_ = nullptr;
  QButtonGroup* length_ = nullptr;
  QButtonGroup* smps_ = nullptr;
  QTreeWidget* lists_[2] = {};
  std::vector<QPushButton*> sessionButtons_;
  QPointer<CBlockAckPeerDlg> dialog_;
  bool rendering_ = false;
};

// The access point's name for the same page.
using CBlockAck = CPage80211nSettingDlg;

}  // namespace kavo9
