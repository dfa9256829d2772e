#include "station/networks/profiles/editor/ui/CPageSystemConfigDlg.h"

#include <QAbstractItemView>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include "common/ui/Accessibility.h"
#include "station/networks/profiles/editor/ProfileEditorIds.h"

namespace kavo9 {

using namespace profileeditor;
using namespace systemconfig;

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

CPageSystemConfigDlg::CPageSystemConfigDlg(ProfileEditor& editor, const EditorTextLookup& text,
                                           QWidget* parent)
    : QWidget(parent), editor_(editor) {
  setObjectName(QString::number(systemconfig::kDialog));
  Build(text);
  Show();
}

void CPageSystemConfigDlg::Build(const EditorTextLookup& text) {
  infraText_ = text(LangKey::IDS_INFRA);
  adhocText_ = text(LangKey::IDS_ADHOC);
  auto label = [&](int number, const QString& caption) {
    return Numbered(new QLabel(caption, this), number);
  };
  // Two columns of settings, so that the tab fits the lower frame.
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(4);
  int row = 0;
  int column = 0;
  auto put = [&](QLabel* caption, QWidget* control, const QString& description = {}) {
    grid->addWidget(caption, row, column);
    grid->addWidget(control, row, column + 1);
    NameByLabel(caption, control, description);
    ++row;
  };

  name_ = Numbered(new QLineEdit(this), kName);
  name_->setMaxLength(int(profiles::kMaxProfileName));
  put(label(kNameLabel, text(LangKey::IDS_PROF_PROFILE)), name_,
      QStringLiteral("1 to 32 characters, without \"\\\""));
  ssid_ = Numbered(new QComboBox(this), kSsid);
  ssid_->setEditable(true);
  ssid_->setInsertPolicy(QComboBox::NoInsert);
  ssid_->lineEdit()->setMaxLength(int(kMaxSsid));
  ssid_->view()->setAccessibleName(QStringLiteral("Networks in range"));
  // What is typed reaches the logic at once, so that nothing typed is lost when the tab is shown
  // again after another choice.
  connect(name_, &QLineEdit::textEdited, this,
          [this](const QString& typed) { editor_.System().SetName(typed.toStdString()); });
  connect(ssid_, &QComboBox::editTextChanged, this, [this](const QString& typed) {
    if (!showing_) editor_.System().SetSsid(typed.toStdString());
  });
  put(label(kSsidLabel, text(LangKey::IDS_PROF_SSID)), ssid_,
      QStringLiteral("The network's name; the list holds the networks in range"));

  networkType_ = new ChoiceButton(kNetworkType, this);
  networkType_->AddChoice(kMenuAdhoc, adhocText_, [this] {
    editor_.SetNetworkType(false);
    Show();
    if (changed_) changed_();
  });
  networkType_->AddChoice(kMenuInfra, infraText_, [this] {
    editor_.SetNetworkType(true);
    Show();
    if (changed_) changed_();
  });
  put(label(kNetworkTypeLabel, text(LangKey::IDS_PROF_NETTYPE)), networkType_);

  powerLabels_[0] = label(kPowerSaveLabel, text(LangKey::IDS_PROF_POWER_SAVE_MODE));
  cam_ = Numbered(new QRadioButton(this), systemconfig::kCam);
  psm_ = Numbered(new QRadioButton(this), systemconfig::kPsm);
  powerLabels_[1] = label(kCamLabel, QStringLiteral("CAM"));
  powerLabels_[2] = label(kPsmLabel, QStringLiteral("PSM"));
  auto* power = new QButtonGroup(this);
  power->addButton(cam_, profileeditor::kCam);
  power->addButton(psm_, profileeditor::kPsm);
  connect(power, &QButtonGroup::idClicked, this,
          [this](int mode) { editor_.System().SetPowerSave(mode); });
  auto* powerRow = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(cam_), static_cast<QWidget*>(powerLabels_[1]),
                     static_cast<QWidget*>(psm_), static_cast<QWidget*>(powerLabels_[2])}) {
    powerRow->addWidget(w);
  }
  powerRow->addStretch();
  grid->addWidget(powerLabels_[0], row, 0);
  grid->addLayout(powerRow, row, 1);
  row = 0;
  column = 2;
  NameByLabel(powerLabels_[1], cam_, QStringLiteral("Power saving: constantly awake"));
  NameByLabel(powerLabels_[2], psm_, QStringLiteral("Power saving: saves power between beacons"));

  txPower_ = new ChoiceButton(kTxPower, this);
  for (int i = 0; i < kTxPowerCount; ++i) {
    txPower_->AddChoice(kMenuTxPower[size_t(i)], Q(TxPowerText(i)), [this, i] {
      editor_.System().SetTxPower(i);
      Show();
    });
  }
  put(label(kTxPowerLabel, text(LangKey::IDS_PROF_TX_POWER)), txPower_);

  preamble_ = new ChoiceButton(kPreamble, this);
  for (int p : {kPreambleAuto, kPreambleLong}) {
    preamble_->AddChoice(kMenuPreamble[size_t(p)], Q(PreambleText(p)), [this, p] {
      editor_.System().SetPreamble(p);
      Show();
    });
  }
  preambleLabel_ = label(kPreambleLabel, text(LangKey::IDS_SYS_PREAMBLE));
  put(preambleLabel_, preamble_,
      QStringLiteral("An infrastructure network always uses the automatic preamble"));

  channel_ = Numbered(new QComboBox(this), kChannel);
  channel_->view()->setAccessibleName(QStringLiteral("Channels"));
  connect(channel_, &QComboBox::currentTextChanged, this, [this](const QString& channel) {
    if (!showing_) editor_.System().ChooseChannel(channel.toStdString());
  });
  channelLabel_ = label(kChannelLabel, text(LangKey::IDS_PROF_CHANNEL));
  put(channelLabel_, channel_, QStringLiteral("The channel of an ad hoc network"));

  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(3, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(grid);
  BuildThresholds(text, this);
  layout->addStretch();
}

void CPageSystemConfigDlg::BuildThresholds(const EditorTextLookup& text, QWidget* box) {
  auto* grid = new QGridLayout;
  struct Parts {
    QCheckBox*& check;
    QSlider*& slider;
    QLineEdit*& edit;
    QLabel** range;
    int checkId, labelId, sliderId, editId, minId, maxId, min, max;
    LangKey caption;
    bool rts;
  };
  Parts parts[2] = {
      {useRts_, rtsSlider_, rtsEdit_, rtsRange_, kUseRts, kUseRtsLabel, kRtsSlider, kRtsEdit,
       kRtsMinLabel, kRtsMaxLabel, kRtsMin, kRtsMax, LangKey::IDS_SYS_CHECK_RTS, true},
      {useFrag_, fragSlider_, fragEdit_, fragRange_, kUseFrag, kUseFragLabel, kFragSlider,
       kFragEdit, kFragMinLabel, kFragMaxLabel, kFragMin, kFragMax, LangKey::IDS_SYS_CHECK_FRAG,
       false},
  };
  int row = 0;
  for (Parts& p : parts) {
    p.check = Numbered(new QCheckBox(box), p.checkId);
    auto* caption = Numbered(new QLabel(text(p.caption), box), p.labelId);
    p.slider = Numbered(new QSlider(Qt::Horizontal, box), p.sliderId);
    p.slider->setRange(p.min, p.max);
    p.edit = Numbered(new QLineEdit(box), p.editId);
    p.edit->setValidator(new QIntValidator(0, 99999, p.edit));
    p.edit->setMaxLength(5);
    p.edit->setFixedWidth(64);
    p.range[0] = Numbered(new QLabel(QString::number(p.min), box), p.minId);
    p.range[1] = Numbered(new QLabel(QString::number(p.max), box), p.maxId);
    grid->addWidget(p.check, row, 0);
    grid->addWidget(caption, row, 1);
    grid->addWidget(p.range[0], row, 2);
    grid->addWidget(p.slider, row, 3);
    grid->addWidget(p.range[1], row, 4);
    grid->addWidget(p.edit, row, 5);
    ++row;
    NameByLabel(caption, p.check);
    const QString range = QStringLiteral("%1 to %2").arg(p.min).arg(p.max);
    NameControl(p.slider, WithoutMnemonic(text(p.caption)), range);
    NameControl(p.edit, WithoutMnemonic(text(p.caption)) + QStringLiteral(" value"), range);
    const bool rts = p.rts;
    connect(p.check, &QCheckBox::toggled, this, [this, rts](bool on) {
      if (showing_) return;
      rts ? editor_.System().SetUseRts(on) : editor_.System().SetUseFrag(on);
      Show();
    });
    connect(p.slider, &QSlider::valueChanged, this, [this, rts](int position) {
      if (showing_) return;
      rts ? editor_.System().SlideRts(position) : editor_.System().SlideFrag(position);
      Show();
    });
    QLineEdit* edit = p.edit;
    connect(p.edit, &QLineEdit::textEdited, this, [this, rts, edit](const QString& typed) {
      const std::string shown = rts ? editor_.System().TypeRts(typed.toStdString())
                                    : editor_.System().TypeFrag(typed.toStdString());
      if (shown != typed.toStdString()) edit->setText(QString::fromStdString(shown));
      showing_ = true;
      (rts ? rtsSlider_ : fragSlider_)
          ->setValue(rts ? editor_.System().Values().rts : editor_.System().Values().frag);
      showing_ = false;
    });
  }
  grid->setColumnStretch(3, 1);
  static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

void CPageSystemConfigDlg::Take() {
  editor_.System().SetName(name_->text().toStdString());
  editor_.System().SetSsid(ssid_->currentText().toStdString());
}

void CPageSystemConfigDlg::Show() {
  showing_ = true;
  const SystemConfigValues& v = editor_.System().Values();
  const SystemConfigView view = editor_.System().View();
  if (name_->text().toStdString() != v.name) name_->setText(QString::fromStdString(v.name));
  QStringList ssids;
  for (const std::string& s : v.ssidChoices) ssids.append(QString::fromStdString(s));
  QStringList current;
  for (int i = 0; i < ssid_->count(); ++i) current.append(ssid_->itemText(i));
  if (current != ssids) {
    ssid_->clear();
    ssid_->addItems(ssids);
  }
  const QString ssid = QString::fromStdString(v.ssid);
  const int found = ssid_->findText(ssid);
  if (found >= 0 && ssid_->currentIndex() != found) ssid_->setCurrentIndex(found);
  if (ssid_->currentText() != ssid) ssid_->setEditText(ssid);
  (v.powerSave == profileeditor::kPsm ? psm_ : cam_)->setChecked(true);
  networkType_->setText(v.infrastructure ? infraText_ : adhocText_);
  txPower_->setText(Q(TxPowerText(v.txPower)));
  preamble_->setText(Q(PreambleText(v.preamble)));
  QStringList channels;
  for (int c : v.channels) channels.append(QString::number(c));
  QStringList shownChannels;
  for (int i = 0; i < channel_->count(); ++i) shownChannels.append(channel_->itemText(i));
  if (shownChannels != channels) {
    channel_->clear();
    channel_->addItems(channels);
  }
  channel_->setCurrentText(QString::fromStdString(v.channel));
  channel_->setVisible(view.channelShown);
  channelLabel_->setVisible(view.channelShown);
  for (QWidget* w : {static_cast<QWidget*>(cam_), static_cast<QWidget*>(psm_),
                     static_cast<QWidget*>(powerLabels_[0]), static_cast<QWidget*>(powerLabels_[1]),
                     static_cast<QWidget*>(powerLabels_[2])}) {
    w->setEnabled(view.powerSaveEnabled);
  }
  preamble_->setEnabled(view.preambleEnabled);
  preambleLabel_->setEnabled(view.preambleEnabled);
  useRts_->setChecked(v.useRts);
  useFrag_->setChecked(v.useFrag);
  rtsSlider_->setValue(v.rts);
  fragSlider_->setValue(v.frag);
  if (rtsEdit_->text().toInt() != v.rts || rtsEdit_->text().isEmpty()) {
    rtsEdit_->setText(QString::number(v.rts));
  }
  if (fragEdit_->text().toInt() != v.frag || fragEdit_->text().isEmpty()) {
    fragEdit_->setText(QString::number(v.frag));
  }
  for (QWidget* w : {static_cast<QWidget*>(rtsSlider_), static_cast<QWidget*>(rtsEdit_),
                     static_cast<QWidget*>(rtsRange_[0]), static_cast<QWidget*>(rtsRange_[1])}) {
    w->setEnabled(view.rtsEnabled);
  }
  for (QWidget* w : {static_cast<QWidget*>(fragSlider_), static_cast<QWidget*>(fragEdit_),
                     static_cast<QWidget*>(fragRange_[0]), static_cast<QWidget*>(fragRange_[1])}) {
    w->setEnabled(view.fragEnabled);
  }
  showing_ = false;
}

}  // namespace kavo9
