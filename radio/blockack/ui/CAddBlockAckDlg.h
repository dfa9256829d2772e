#pragma once
// The dialogs that add a Block Ack session (TID, window size, peer) and delete sessions (a peer,
// and the TID when one session is to go). Each returns its choices; the page sends the request.

#include <QDialog>
#include <optional>
#include <vector>

#include "radio/blockack/ui/BlockAckTexts.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace kavo9 {

class CBlockAckPeerDlg : public QDialog {
  Q_OBJECT
 public:
  int Tid() const;
  std::optional<radio::MacBytes> Peer() const;
  // "OK": refused while no peer is chosen.
  void accept() override;

 signals:
  // "OK" was refused: the message to show; the dialog stays open.
  void rejectedInput(const QString& message);

 protected:
  CBlockAckPeerDlg(const BlockAckTexts& texts, const std::vector<radio::MacBytes>& peers,
                   const QString& caption, bool chooseTid, QWidget* parent);
  void showEvent(QShowEvent* event) override;
  QComboBox* tid_ = nullptr;
  QTreeWidget* peers_ = nullptr;
  QLabel* tidLabel_ = nullptr;
  const BlockAckTexts& texts_;
  QGridLayout* grid_ = nullptr;
};

class CAddBlockAckDlg : public CBlockAckPeerDlg {
  Q_OBJECT
 public:
  CAddBlockAckDlg(const BlockAckTexts& texts, const std::vector<radio::MacBytes>& peers,
                  QWidget* parent = nullptr);
  QString WindowText() const;

 private:
  QLineEdit* window_ = nullptr;
};

class CDeleteBlockAckDlg : public CBlockAckPeerDlg {
  Q_OBJECT
 public:
  // Without `chooseTid` the TID label and combo are hidden: every session with the peer goes.
  CDeleteBlockAckDlg(const BlockAckTexts& texts, const std::vector<radio::MacBytes>& peers,
                     bool chooseTid, QWidget* parent = nullptr);
};

}  // namespace kavo9
