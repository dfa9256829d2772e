#include "station/networks/profiles/page/ui/CPageProfileDlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "common/ui/Theme.h"
#include "station/networks/profiles/page/ui/ProfileListModel.h"

namespace kavo9 {
namespace {

using namespace profilepage;

constexpr TimerId kPageTimer = 2;
constexpr int kPageFontCell = 16;

template <typename W>
W* Numbered(W* widget, int number) {
  widget->setObjectName(QString::number(number));
  return widget;
}

// The caption keys of the details; the two thresholds keep the dialog's own captions.
constexpr std::array<std::optional<LangKey>, kDetailCount> kCaptionKeys = {
    LangKey::IDS_PROF_PROFILE,
    LangKey::IDS_PROF_SSID,
    LangKey::IDS_PROF_NETTYPE,
    LangKey::IDS_PROF_AUTH,
    LangKey::IDS_PROF_ENCRYP,
    LangKey::IDS_PROF_USE8021X,
    LangKey::IDS_PROF_CHANNEL,
    LangKey::IDS_PROF_POWER_SAVE_MODE,
    LangKey::IDS_PROF_TX_POWER,
    std::nullopt,
    std::nullopt};
const char* const kDialogCaptions[kDetailCount] = {
    "Profile Name >>", "SSID >>",          "Network Type >>",      "Authentication >>",
    "Encryption >>",   "Use 802.1x >>",    "Channel >>",           "Power Save Mode >>",
    "Tx Power >>",     "RTS Threshold >>", "Fragment Threshold >>"};

}  // namespace

CPageProfileDlg::CPageProfileDlg(EventLoop& loop, const ProfilePageParts& parts,
                                 ProfileTextLookup text, const QString& faceName, QWidget* parent)
    : QWidget(parent), page_(parts), timers_(loop, [this](TimerId) { OnTick(); }) {
  setObjectName(QString::number(kDialog));
  setFont(WindowFont(faceName, kPageFontCell));
  BuildControls(text);
  page_.OnCreate();
  Show();
  timers_.Set(kPageTimer, kProfileTickMs);
}

CPageProfileDlg::~CPageProfileDlg() = default;

void CPageProfileDlg::BuildControls(const ProfileTextLookup& text) {
  title_ = Numbered(new QLabel(text(LangKey::IDS_PROFILE_LIST), this), kListTitle);
  title_->setProperty("role", "separator");
  model_ = new ProfileListModel(this);
  list_ = Numbered(new QTableView(this), kList);
  list_->setModel(model_);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(20);
  list_->horizontalHeader()->setSectionsMovable(true);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setShowGrid(false);
  list_->setWordWrap(false);
  list_->setIconSize(QSize(16, 16));
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setTabKeyNavigation(false);
  list_->viewport()->installEventFilter(this);
  list_->installEventFilter(this);
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (showing_) return;
    page_.OnSelect(SelectedRow());
    Show();
  });
  connect(list_, &QTableView::clicked, this, [this] {
    page_.OnSelect(SelectedRow());
    Show();
  });
  connect(list_, &QTableView::doubleClicked, this, [this] { Act(&ProfilePage::OnEdit); });

  auto* details = new QGridLayout;
  for (int i = 0; i < kDetailCount; ++i) {
    const QString caption = kCaptionKeys[size_t(i)] ? text(*kCaptionKeys[size_t(i)])
                                                    : QString::fromLatin1(kDialogCaptions[i]);
    captions_[size_t(i)] = Numbered(new QLabel(caption, this), kDetailCaption[size_t(i)]);
    values_[size_t(i)] = Numbered(new QLabel(this), kDetailValue[size_t(i)]);
    values_[size_t(i)]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    values_[size_t(i)]->setProperty("role", "value");
    const int half = (kDetailCount + 1) / 2;
    const int row = i % half;
    const int column = i < half ? 0 : 2;
    details->addWidget(captions_[size_t(i)], row, column);
    details->addWidget(values_[size_t(i)], row, column + 1);
  }
  details->setColumnStretch(1, 1);
  details->setColumnStretch(3, 1);

  add_ = Numbered(new QPushButton(text(LangKey::IDS_PROF_ADD), this), kAdd);
  edit_ = Numbered(new QPushButton(text(LangKey::IDS_PROF_EDIT), this), kEdit);
  delete_ = Numbered(new QPushButton(text(LangKey::IDS_PROF_DEL), this), kDelete);
  apply_ = Numbered(new QPushButton(text(LangKey::IDS_PROF_ACTIVATE), this), kApply);
  connect(add_, &QPushButton::clicked, this, [this] { Act(&ProfilePage::OnAdd); });
  connect(edit_, &QPushButton::clicked, this, [this] { Act(&ProfilePage::OnEdit); });
  connect(delete_, &QPushButton::clicked, this, [this] { Act(&ProfilePage::OnDelete); });
  connect(apply_, &QPushButton::clicked, this, [this] { Act(&ProfilePage::OnApply); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {add_, edit_, delete_, apply_}) {
    KeepTextClearOfFrame(button);
    buttons->addWidget(button);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addWidget(list_, 1);
  layout->addLayout(details);
  layout->addLayout(buttons);

  NameByLabel(title_, list_,
              QStringLiteral("Profiles. The arrow keys select a profile, Enter edits it, "
                             "Delete deletes it, Tab leaves the list."));
  for (int i = 0; i < kDetailCount; ++i) NameByLabel(captions_[size_t(i)], values_[size_t(i)]);
}

int CPageProfileDlg::SelectedRow() const {
  const QModelIndexList selected = list_->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void CPageProfileDlg::Act(void (ProfilePage::*action)()) {
  (page_.*action)();
  Show();
}

void CPageProfileDlg::RefreshProfileList() {
  page_.RefreshProfileList();
  Show();
}

void CPageProfileDlg::OnTick() {
  page_.OnTick();
  Show();
}

void CPageProfileDlg::Show() {
  showing_ = true;
  model_->SetRows(page_.Rows());
  const int selected = page_.Selected();
  if (selected != SelectedRow()) {
    if (selected < 0) {
      list_->clearSelection();
    } else {
      list_->selectionModel()->setCurrentIndex(
          model_->index(selected, kColumnName),
          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
  }
  showing_ = false;
  for (int i = 0; i < kDetailCount; ++i) {
    const QString value = QString::fromStdString(page_.Details()[size_t(i)]);
    values_[size_t(i)]->setText(value);
    values_[size_t(i)]->setAccessibleDescription(value);
  }
  const ProfileButtons b = page_.Buttons();
  const std::pair<QPushButton*, ProfileBlock> states[] = {
      {add_, b.add}, {edit_, b.edit}, {delete_, b.remove}, {apply_, b.apply}};
  for (const auto& [button, block] : states) {
    button->setEnabled(block == ProfileBlock::kNone);
    NameControl(button, button->text(),
                QString::fromStdString(ProfileButtonTip(button->objectName().toInt(), block)));
  }
}

void CPageProfileDlg::SizeColumns() {
  const int width = list_->viewport()->width();
  for (int column = 0; column < kColumnCount; ++column) {
    list_->setColumnWidth(column, int(width * kColumnWidth[size_t(column)]));
  }
}

bool CPageProfileDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::Resize) SizeColumns();
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Act(&ProfilePage::OnEdit);
      return true;
    }
    if (key == Qt::Key_Delete) {
      Act(&ProfilePage::OnDelete);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kavo9
