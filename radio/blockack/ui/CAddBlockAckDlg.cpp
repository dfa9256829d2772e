#include "radio/blockack/ui/CAddBlockAckDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "common/ui/Accessibility.h"
#include "radio/blockack/BlockAckTable.h"
#include "radio/blockack/ui/BlockAckIds.h"

namespace kavo9 {

using namespace blockack;

CBlockAckPeerDlg::CBlockAckPeerDlg(const BlockAckTexts& texts,
                                   const std::vector<radio::MacBytes>& peers,
                                   const QString& caption, bool chooseTid, QWidget* parent)
    : QDialog(parent), texts_(texts) {
  setWindowTitle(caption);
  grid_ = new QGridLayout(this);
  tidLabel_ = new QLabel(texts.tid, this);
  tid_ = new QComboBox(this);
  tid_->setObjectName(QString::number(kTidCombo));
  for (int t = 0; t < radio::kTidCount; ++t) tid_->addItem(QString::number(t));
  NameByLabel(tidLabel_, tid_);
  grid_->addWidget(tidLabel_, 0, 0);
  grid_->addWidget(tid_, 0, 1);
  tidLabel_->setVisible(chooseTid);
  tid_->setVisible(chooseTid);

  auto* listLabel = new QLabel(texts.availableBssids, this);
  peers_ = new QTreeWidget(this);
  peers_->setObjectName(QString::number(kPeerList));
  peers_->setRootIsDecorated(false);
  peers_->setHeaderLabels({texts.bssidColumn});
  for (const auto& mac : peers) {
    peers_->addTopLevelItem(
        new QTreeWidgetItem(QStringList{QString::fromStdString(radio::MacAddressText(mac))}));
  }
  if (peers_->topLevelItemCount() > 0) peers_->setCurrentItem(peers_->topLevelItem(0));
  NameByLabel(listLabel, peers_);
  grid_->addWidget(listLabel, 2, 0, 1, 2);
  grid_->addWidget(peers_, 3, 0, 1, 2);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(texts.ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(texts.cancel, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid_->addWidget(buttons, 4, 0, 1, 2);
}

void CBlockAckPeerDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Every field has its key, also the one the add dialog puts in after this constructor.
  MnemonicLetters letters;
  AssignMnemonics(this, letters);
}

int CBlockAckPeerDlg::Tid() const {
  return tid_->currentIndex();
}

std::optional<radio::MacBytes> CBlockAckPeerDlg::Peer() const {
  QTreeWidgetItem* item = peers_->currentItem();
  if (!item || !item->isSelected()) return std::nullopt;
  return radio::ParseMacAddressText(item->text(0).toStdString());
}

void CBlockAckPeerDlg::accept() {
  if (!Peer()) {
    emit rejectedInput(texts_.noPeer);
    return;
  }
  QDialog::accept();
}

CAddBlockAckDlg::CAddBlockAckDlg(const BlockAckTexts& texts,
                                 const std::vector<radio::MacBytes>& peers, QWidget* parent)
    : CBlockAckPeerDlg(texts, peers, texts.addCaption, true, parent) {
  setObjectName(QString::number(kStationAddDialog));
  auto* label = new QLabel(texts.window, this);
  window_ = new QLineEdit(QString::number(radio::kDefaultBaWindow), this);
  window_->setObjectName(QString::number(kWindowEdit));
  window_->setMaxLength(3);
  NameByLabel(label, window_);
  grid_->addWidget(label, 1, 0);
  grid_->addWidget(window_, 1, 1);
  setTabOrder(tid_, window_);
  setTabOrder(window_, peers_);
}

QString CAddBlockAckDlg::WindowText() const {
  return window_->text();
}

CDeleteBlockAckDlg::CDeleteBlockAckDlg(const BlockAckTexts& texts,
                                       const std::vector<radio::MacBytes>& peers, bool chooseTid,
                                       QWidget* parent)
    : CBlockAckPeerDlg(texts, peers, texts.deleteCaption, chooseTid, parent) {
  setObjectName(QString::number(kStationDeleteDialog));
}

}  // namespace kavo9
