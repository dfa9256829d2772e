#include "softap/access/ui/CAccessControlPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "softap/shell/HostiraIds.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {

using namespace access;

namespace {

QLineEdit* MacField(int id, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::number(id));
  edit->setMaxLength(int(kMacDigits));
  // Only hexadecimal digits can be typed.
  edit->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,12}")), edit));
  return edit;
}

}  // namespace

QPushButton* CAccessControlPage::Button(int id, int textId) {
  auto* button = new QPushButton(QString::fromStdString(strings_.Text(textId)), this);
  button->setObjectName(QString::number(id));
  NameControl(button, button->text());
  return button;
}

CAccessControlPage::CAccessControlPage(const HostiraStrings& strings,
                                       std::unique_ptr<AccessControlModel> model, MessageFn message,
                                       QWidget* parent)
    : QWidget(parent), strings_(strings), model_(std::move(model)), message_(std::move(message)) {
  auto T = [&strings](int id) { return QString::fromStdString(strings.Text(id)); };
  setObjectName(QString::number(kDialog));
  setAccessibleName(T(kStrAccessControlTitle));
  setAccessibleDescription(T(kStrAccessDescription));
  policy_ = new QComboBox(this);
  policy_->setObjectName(QString::number(kPolicyCombo));
  for (int i = 0; i < kPolicyCount; ++i) policy_->addItem(T(kStrPolicyDisable + i));
  mac_ = MacField(kMacEdit, this);
  list_ = new QListWidget(this);
  list_->setObjectName(QString::number(kList));
  add_ = Button(kAddButton, kStrAdd);
  delete_ = Button(kDeleteButton, kStrDelete);
  removeAll_ = Button(kRemoveAllButton, kStrRemoveAll);
  apply_ = Button(kApplyButton, kStrApply);

  auto* grid = new QGridLayout;
  auto label = [&](int textId, QWidget* control, int row,
                   Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(T(textId), this);
    NameByLabel(l, control);
    grid->addWidget(l, row, 0, align);
    grid->addWidget(control, row, 1);
  };
  label(kStrAccessPolicy, policy_, 0);
  label(kStrMacLabel, mac_, 1);
  grid->addWidget(add_, 1, 2);
  label(kStrAccessList, list_, 2, Qt::AlignLeft | Qt::AlignTop);
  auto* side = new QVBoxLayout;
  side->addWidget(delete_);
  side->addWidget(removeAll_);
  side->addStretch();
  grid->addLayout(side, 2, 2);

  editRow_ = new QWidget(this);
  auto* editLayout = new QHBoxLayout(editRow_);
  editLayout->setContentsMargins(0, 0, 0, 0);
  edit_ = MacField(kEditField, editRow_);
  NameControl(edit_, T(kStrModify) + QStringLiteral(", ") + T(kStrMacLabel));
  auto* modify = Button(kModifyButton, kStrModify);
  auto* cancel = Button(kCancelButton, kStrEditCancel);
  editLayout->addWidget(edit_, 1);
  editLayout->addWidget(modify);
  editLayout->addWidget(cancel);
  editRow_->hide();
  grid->addWidget(editRow_, 3, 1, 1, 2);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(apply_);
  layout->addLayout(bottom);

  connect(policy_, &QComboBox::activated, this, [this](int index) {
    model_->SetPolicy(index);
    Render();
  });
  connect(add_, &QPushButton::clicked, this, [this] {
    if (const int refused = model_->Add(mac_->text().toStdString())) return Refuse(refused);
    mac_->clear();
    Render();
  });
  connect(mac_, &QLineEdit::returnPressed, add_, &QPushButton::click);
  connect(delete_, &QPushButton::clicked, this, [this] {
    model_->Delete(list_->currentRow());
    Render();
  });
  connect(removeAll_, &QPushButton::clicked, this, [this] {
    model_->RemoveAll();
    Render();
  });
  // Enter or a double click on an entry edits it in place.
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { StartEditing(list_->row(item)); });
  connect(modify, &QPushButton::clicked, this, [this] {
    if (const int refused = model_->Modify(editing_, edit_->text().toStdString())) {
      return Refuse(refused);
    }
    StopEditing();
  });
  connect(edit_, &QLineEdit::returnPressed, modify, &QPushButton::click);
  connect(cancel, &QPushButton::clicked, this, &CAccessControlPage::StopEditing);
  connect(apply_, &QPushButton::clicked, this, [this] { model_->Apply(); });
  Render();
}

CAccessControlPage::~CAccessControlPage() = default;

void CAccessControlPage::Refuse(int stringId) {
  if (message_) message_(stringId);
}

void CAccessControlPage::StartEditing(int row) {
  if (row < 0 || size_t(row) >= model_->entries().size()) return;
  editing_ = row;
  edit_->setText(QString::fromStdString(EntryDigits(model_->entries()[size_t(row)])));
  editRow_->show();
  Render();
  edit_->setFocus();
  edit_->selectAll();
}

void CAccessControlPage::StopEditing() {
  editing_ = -1;
  editRow_->hide();
  Render();
  list_->setFocus();
}

void CAccessControlPage::Render() {
  const bool editing = editing_ >= 0;
  policy_->setCurrentIndex(model_->policy());
  const int current = list_->currentRow();
  list_->clear();
  // Rows half again as high as a line: easier to hit and to read.
  const int rowHeight = list_->fontMetrics().height() * 3 / 2;
  for (const std::string& e : model_->entries()) {
    auto* item = new QListWidgetItem(QString::fromStdString(e), list_);
    item->setSizeHint(QSize(0, rowHeight));
  }
  if (current >= 0 && current < list_->count()) list_->setCurrentRow(current);
  const bool on = model_->ListEnabled() && !editing;
  list_->setEnabled(on);
  mac_->setEnabled(on);
  delete_->setEnabled(on);
  removeAll_->setEnabled(on);
  add_->setEnabled(model_->AddEnabled() && !editing);
  policy_->setEnabled(!editing);
  apply_->setEnabled(!editing);
}

}  // namespace kavo9::softap
