#include "radio/registers/ui/CPageRegSettingDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"

namespace kavo9 {

using radio::RegisterFile;

namespace {

constexpr int kDialog = 131;
constexpr int kBbpTuningCheck = 1361, kBbpTuningButton = 1340;
constexpr int kRfTuningEdits[4] = {1343, 1347, 1348, 1349};
constexpr int kRfTuningCheck = 1354, kRfTuningSet = 1336;
constexpr int kProgressMs = 200;

template <class W>
W* Numbered(int id, QWidget* parent) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::number(id));
  return widget;
}

QPushButton* Button(int id, const QString& text, QWidget* parent) {
  auto* button = Numbered<QPushButton>(id, parent);
  button->setText(text);
  return button;
}

std::string Text(const QLineEdit* edit) {
  return edit->text().toStdString();
}

}  // namespace

CPageRegSettingDlg::CPageRegSettingDlg(radio::RegisterPageModel& model,
                                       std::function<void(const QString&)> showMessage,
                                       QWidget* parent)
    : QWidget(parent), model_(model), showMessage_(std::move(showMessage)) {
  setObjectName(QString::number(kDialog));
  setWindowTitle(QStringLiteral("Registry Settings"));
  auto* layout = new QVBoxLayout(this);
  grid_ = new QGridLayout;
  layout->addLayout(grid_);
  AddRow(0, QStringLiteral("MAC Register : "), RegisterFile::kMac,
         {1337, 1339, 1328, 1331, 1334, 1333}, 8);
  AddRow(1, QStringLiteral("BBP Register : "), RegisterFile::kBbp,
         {1338, 1345, 1329, 1332, 1335, 1344}, 2);
  AddRow(2, QStringLiteral("RF Register : "), RegisterFile::kRf,
         {1350, 1365, 1351, 1355, 1363, 1364}, 2);
  AddRow(3, QStringLiteral("EEPROM Register : "), RegisterFile::kEeprom,
         {1341, 1346, 1342, 1352, 1353, 1362}, 4);
  AddTuning(4);
  status_ = new QLabel(this);
  status_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  status_->setFocusPolicy(Qt::TabFocus);
  NameControl(status_, QStringLiteral("Dump status"));
  layout->addWidget(status_);
  layout->addStretch(1);
  progress_ = new QTimer(this);
  progress_->setInterval(kProgressMs);
  connect(progress_, &QTimer::timeout, this, [this] {
    status_->setText(QStringLiteral("Writing %1: %2 of %3 registers")
                         .arg(dumping_)
                         .arg(model_.DumpProgress())
                         .arg(model_.DumpTotal()));
  });
  MnemonicLetters letters;
  AssignMnemonics(this, letters);
}

CPageRegSettingDlg::~CPageRegSettingDlg() {
  if (ownsDump_) model_.CancelDump();
}

QString CPageRegSettingDlg::StatusText() const {
  return status_->text();
}

void CPageRegSettingDlg::AddRow(int row, const QString& caption, RegisterFile file,
                                const RowIds& ids, int valueDigits) {
  const bool narrow = file == RegisterFile::kBbp || file == RegisterFile::kRf;
  const QString firstName = narrow ? QStringLiteral("ID 1") : QStringLiteral("Offset 1");
  const QString secondName = narrow ? QStringLiteral("ID 2") : QStringLiteral("Offset 2");
  const QString name = caption.trimmed().chopped(1).trimmed();
  auto* label = new QLabel(caption, this);
  auto* first = Numbered<QLineEdit>(ids.first, this);
  auto* second = Numbered<QLineEdit>(ids.second, this);
  auto* value = Numbered<QLineEdit>(ids.value, this);
  first->setMaxLength(narrow ? 3 : 8);
  second->setMaxLength(narrow ? 3 : 8);
  value->setMaxLength(valueDigits);
  first->setPlaceholderText(firstName);
  second->setPlaceholderText(secondName);
  value->setPlaceholderText(QStringLiteral("Value"));
  label->setBuddy(first);
  NameControl(first, name + QStringLiteral(", ") + firstName);
  NameControl(second, name + QStringLiteral(", ") + secondName);
  NameControl(value, name + QStringLiteral(", value"));
  auto* query = Button(ids.query, QStringLiteral("Query"), this);
  auto* set = Button(ids.set, QStringLiteral("Set"), this);
  auto* dump = Button(ids.dump, QStringLiteral("Dump"), this);
  for (QPushButton* b : {query, set, dump}) {
    NameControl(b, name + QStringLiteral(", ") + b->text());
  }
  const int columns[] = {0, 1, 2, 3, 4, 5, 6};
  grid_->addWidget(label, row, columns[0]);
  grid_->addWidget(first, row, columns[1]);
  grid_->addWidget(second, row, columns[2]);
  grid_->addWidget(value, row, columns[3]);
  grid_->addWidget(query, row, columns[4]);
  grid_->addWidget(set, row, columns[5]);
  grid_->addWidget(dump, row, columns[6]);

  connect(query, &QPushButton::clicked, this, [this, file, first, value] {
    const std::string text = model_.Query(file, Text(first));
    if (text.empty()) {
      status_->setText(QStringLiteral("Not a register number: %1").arg(first->text()));
      return;
    }
    value->setText(QString::fromStdString(text));
    status_->setText(QStringLiteral("Read %1").arg(first->text()));
  });
  connect(set, &QPushButton::clicked, this, [this, file, first, value] {
    const bool sent = model_.Set(file, Text(first), Text(value));
    status_->setText(sent ? QStringLiteral("Wrote %1 to %2").arg(value->text(), first->text())
                          : QStringLiteral("Enter a register number and a hexadecimal value"));
  });
  connect(dump, &QPushButton::clicked, this, [this, file, first, second] {
    dumping_ =
        QString::fromUtf8(radio::DumpFileName(file).data(), int(radio::DumpFileName(file).size()));
    auto refused = model_.StartDump(file, Text(first), Text(second),
                                    [this, file](bool written) { Dumped(file, written); });
    if (refused) {
      if (showMessage_) showMessage_(QString::fromStdString(*refused));
      return;
    }
    if (model_.Dumping()) {
      ownsDump_ = true;
      progress_->start();
    }
  });
}

void CPageRegSettingDlg::AddTuning(int row) {
  auto* rfLabel = new QLabel(QStringLiteral("RF Tuning : "), this);
  grid_->addWidget(rfLabel, row, 0);
  auto* rfRow = new QHBoxLayout;
  std::array<QLineEdit*, 4> edits{};
  for (int i = 0; i < 4; ++i) {
    edits[size_t(i)] = Numbered<QLineEdit>(kRfTuningEdits[i], this);
    edits[size_t(i)]->setMaxLength(8);
    edits[size_t(i)]->setPlaceholderText(QStringLiteral("R%1").arg(i + 1));
    NameControl(edits[size_t(i)], QStringLiteral("RF tuning, R%1").arg(i + 1));
    rfRow->addWidget(edits[size_t(i)]);
  }
  rfLabel->setBuddy(edits[0]);
  auto* rfOn = Numbered<QCheckBox>(kRfTuningCheck, this);
  rfOn->setText(QStringLiteral("Enable RF Tunning"));
  rfRow->addWidget(rfOn);
  auto* rfSet = Button(kRfTuningSet, QStringLiteral("Set"), this);
  NameControl(rfSet, QStringLiteral("RF tuning, Set"));
  rfRow->addWidget(rfSet);
  grid_->addLayout(rfRow, row, 1, 1, 6);
  connect(rfSet, &QPushButton::clicked, this, [this, edits, rfOn] {
    const std::string texts[4] = {Text(edits[0]), Text(edits[1]), Text(edits[2]), Text(edits[3])};
    const std::string_view values[4] = {texts[0], texts[1], texts[2], texts[3]};
    status_->setText(model_.SetRfTuning(values, rfOn->isChecked())
                         ? QStringLiteral("RF tuning sent")
                         : QStringLiteral("R1 to R4 must be hexadecimal values"));
  });

  auto* bbpRow = new QHBoxLayout;
  auto* bbpOn = Numbered<QCheckBox>(kBbpTuningCheck, this);
  bbpOn->setText(QStringLiteral("Enable BBP Tunning"));
  auto* bbpSet = Button(kBbpTuningButton, QStringLiteral("BBP  Tuning  Set"), this);
  bbpRow->addWidget(bbpOn);
  bbpRow->addWidget(bbpSet);
  bbpRow->addStretch(1);
  grid_->addLayout(bbpRow, row + 1, 1, 1, 6);
  connect(bbpSet, &QPushButton::clicked, this, [this, bbpOn] {
    model_.SetBbpTuning(bbpOn->isChecked());
    status_->setText(bbpOn->isChecked() ? QStringLiteral("BBP tuning switched on")
                                        : QStringLiteral("BBP tuning switched off"));
  });
}

void CPageRegSettingDlg::Dumped(RegisterFile file, bool written) {
  ownsDump_ = false;
  progress_->stop();
  const QString name =
      QString::fromUtf8(radio::DumpFileName(file).data(), int(radio::DumpFileName(file).size()));
  status_->setText(written ? QStringLiteral("%1 written").arg(name)
                           : QStringLiteral("%1 could not be written").arg(name));
}

}  // namespace kavo9
