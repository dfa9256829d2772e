#include "station/wps/page/ui/CPageWPSDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "common/ui/Theme.h"
#include "station/wps/WpsStatusTable.h"
#include "station/wps/page/ui/WpsListModels.h"
#include "widgets/CProgressCtrlX.h"

namespace kavo9 {
namespace {

using namespace wpspage;

constexpr int kPageFontCell = 16;
constexpr int kPinDigits = 8;

template <typename W>
W* Numbered(W* widget, int number) {
  widget->setObjectName(QString::number(number));
  return widget;
}

QColor ColourOf(uint32_t bgr) {
  return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}

QLabel* Separator(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setProperty("role", "separator");
  return label;
}

}  // namespace

CPageWPSDlg::CPageWPSDlg(EventLoop& loop, wps::WpsPart& part, WpsPageHost& host, WpsTextLookup text,
                         const QString& faceName, WpsPageOptions options, QWidget* parent)
    : QWidget(parent), host_(host) {
  setObjectName(QString::number(kDialog));
  setFont(WindowFont(faceName, kPageFontCell));
  page_ = std::make_unique<WpsPage>(loop, part, static_cast<WpsPageHost&>(*this));
  BuildControls(text, options);
  built_ = true;
  Show();
}

CPageWPSDlg::~CPageWPSDlg() {
  built_ = false;
  page_.reset();
}

QTableView* CPageWPSDlg::MakeList(int number) {
  auto* list = Numbered(new QTableView(this), number);
  list->verticalHeader()->hide();
  list->verticalHeader()->setDefaultSectionSize(20);
  list->horizontalHeader()->setHighlightSections(false);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setShowGrid(false);
  list->setWordWrap(false);
  list->setIconSize(QSize(16, 16));
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setTabKeyNavigation(false);
  list->viewport()->installEventFilter(this);
  return list;
}

QPushButton* CPageWPSDlg::MakeButton(const QString& text, int number, void (WpsPage::*action)()) {
  auto* button = Numbered(new QPushButton(text, this), number);
  KeepTextClearOfFrame(button);
  connect(button, &QPushButton::clicked, this, [this, action] {
    ((*page_).*action)();
    Show();
  });
  return button;
}

QLayout* CPageWPSDlg::BuildChoices(const WpsTextLookup& text, const WpsPageOptions& options) {
  auto* pinLabel = new QLabel(text(LangKey::IDS_PIN_CODE), this);
  pinBox_ = Numbered(new QLineEdit(this), kPinBox);
  pinBox_->setMaxLength(kPinDigits);
  pinBox_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,8}")), pinBox_));
  connect(pinBox_, &QLineEdit::textEdited, this,
          [this](const QString& t) { page_->SetPinText(t.toStdString()); });
  NameByLabel(pinLabel, pinBox_, QStringLiteral("Eight digits, the last one a check digit."));

  auto* modeLabel = new QLabel(text(LangKey::IDS_CONFIG_MODE), this);
  configMode_ = Numbered(new QComboBox(this), kConfigMode);
  configMode_->addItems({text(LangKey::IDS_ENROLLEE), text(LangKey::IDS_REGISTRAR)});
  connect(configMode_, &QComboBox::activated, this, [this](int index) {
    page_->ChangeConfigMode(index);
    Show();
  });
  NameByLabel(modeLabel, configMode_);

  auto* bandLabel = Numbered(new QLabel(QStringLiteral("Band >>"), this), kBandLabel);
  band_ = Numbered(new QComboBox(this), kBand);
  band_->addItems({text(LangKey::IDS_WPS_BGFIRST), text(LangKey::IDS_WPS_AFIRST),
                   text(LangKey::IDS_WPS_AUTO_PHY_MODE)});
  connect(band_, &QComboBox::activated, this, [this](int index) {
    page_->ChangeBand(index);
    Show();
  });
  NameByLabel(bandLabel, band_);
  bandLabel->setVisible(options.bandChoiceShown);
  band_->setVisible(options.bandChoiceShown);

  auto* controls = new QHBoxLayout;
  controls->addWidget(pinLabel);
  controls->addWidget(pinBox_, 1);
  controls->addWidget(renew_);
  controls->addSpacing(12);
  controls->addWidget(modeLabel);
  controls->addWidget(configMode_, 1);
  controls->addWidget(bandLabel);
  controls->addWidget(band_, 1);
  return controls;
}

QLayout* CPageWPSDlg::BuildApArea(const WpsTextLookup& text, const WpsPageOptions& options) {
  auto* title = Separator(text(LangKey::IDS_SEPARATOR_WPS_AP_LIST), this);
  apModel_ = new WpsApListModel(this);
  apList_ = MakeList(kApList);
  apList_->setModel(apModel_);
  connect(apList_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (showing_) return;
    const auto rows = apList_->selectionModel()->selectedRows();
    page_->SelectAp(rows.isEmpty() ? -1 : rows.first().row());
  });
  NameByLabel(title, apList_,
              QStringLiteral("WPS access points. The arrow keys select one for a PIN run."));

  rescan_ = MakeButton(text(LangKey::IDS_SITESUR_RESCAN), kRescan, &WpsPage::Rescan);
  information_ = MakeButton(text(LangKey::IDS_WPS_INFO_DLG), kInformation, &WpsPage::Information);
  pin_ = MakeButton(QStringLiteral("&PIN"), kPin, &WpsPage::StartPin);
  pbc_ = MakeButton(QStringLiteral("P&BC"), kPbc, &WpsPage::StartPbc);
  renew_ = MakeButton(text(LangKey::IDS_WPS_RENEW), kRenew, &WpsPage::Renew);

  QLayout* controls = BuildChoices(text, options);
  auto* runButtons = new QVBoxLayout;
  for (QPushButton* b : {rescan_, information_, pin_, pbc_}) runButtons->addWidget(b);
  runButtons->addStretch();

  auto* listRow = new QHBoxLayout;
  listRow->addWidget(apList_, 1);
  listRow->addLayout(runButtons);
  auto* row = new QVBoxLayout;
  row->addWidget(title);
  row->addLayout(listRow, 1);
  row->addLayout(controls);
  return row;
}

QLayout* CPageWPSDlg::BuildProfileArea(const WpsTextLookup& text) {
  auto* title = Separator(text(LangKey::IDS_SEPARATOR_WPS_PROFILE_LIST), this);
  profileModel_ = new WpsProfileListModel(this);
  profileList_ = MakeList(kProfileList);
  profileList_->setModel(profileModel_);
  connect(profileList_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (showing_) return;
    const auto rows = profileList_->selectionModel()->selectedRows();
    page_->SelectProfile(rows.isEmpty() ? -1 : rows.first().row());
  });
  NameByLabel(title, profileList_,
              QStringLiteral("Credentials of the WPS runs. The arrow keys select one."));

  detail_ = MakeButton(text(LangKey::IDS_WPS_DETAIL), kProfileDetail, &WpsPage::ProfileDetail);
  connect_ = MakeButton(text(LangKey::IDS_SITESUR_CONNECT), kConnect, &WpsPage::Connect);
  rotate_ = MakeButton(text(LangKey::IDS_WPS_ROTATE), kRotate, &WpsPage::Rotate);
  disconnect_ = MakeButton(text(LangKey::IDS_WPS_DISCONNECT), kDisconnect, &WpsPage::StopWps);
  delete_ = MakeButton(text(LangKey::IDS_PROF_DEL), kDelete, &WpsPage::Delete);
  import_ = MakeButton(text(LangKey::IDS_IMPORT_PROFILE), kImport, &WpsPage::Import);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {detail_, connect_, rotate_, disconnect_, delete_, import_}) {
    buttons->addWidget(b);
  }
  buttons->addStretch();
  buttons->addWidget(probeIe_);
  buttons->addWidget(assocIe_);

  auto* area = new QVBoxLayout;
  area->addWidget(title);
  area->addWidget(profileList_, 1);
  area->addLayout(buttons);
  return area;
}

void CPageWPSDlg::BuildControls(const WpsTextLookup& text, const WpsPageOptions& options) {
  probeIe_ = Numbered(new QCheckBox(text(LangKey::IDS_WPS_PROBE_IE), this), kProbeIe);
  assocIe_ = Numbered(new QCheckBox(text(LangKey::IDS_WPS_ASSOCIATE_IE), this), kAssocIe);
  connect(probeIe_, &QCheckBox::toggled, this, [this](bool on) { page_->SetProbeIe(on); });
  connect(assocIe_, &QCheckBox::toggled, this, [this](bool on) { page_->SetAssocIe(on); });
  status_ = Numbered(new QLabel(this), kStatusLine);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  progress_ = new CProgressCtrlX(this);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->SetAnimation(0, 1);
  progress_->setMinimumHeight(progress_->sizeHint().height());
  progress_->setMinimumWidth(progress_->sizeHint().width());
  NameControl(progress_, QStringLiteral("WPS progress"));
  NameControl(status_, QStringLiteral("WPS status"));

  auto* statusRow = new QHBoxLayout;
  statusRow->addWidget(status_, 1);
  statusRow->addWidget(progress_);

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(4);
  layout->addLayout(BuildApArea(text, options), 3);
  layout->addLayout(statusRow);
  layout->addLayout(BuildProfileArea(text), 2);
}

void CPageWPSDlg::Changed() {
  if (built_) Show();
}

void CPageWPSDlg::Show() {
  ShowLists();
  ShowButtons();
  status_->setText(QString::fromStdString(page_->StatusLine()));
  status_->setAccessibleDescription(status_->text());
  const int progress = page_->Progress();
  const QColor ends = ColourOf(wps::ProgressColour(progress));
  progress_->SetGradient(ends, ColourOf(wps::kProgressMiddleColour), ends);
  progress_->SetPosition(progress);
  progress_->SetCaption(QString::number(progress) + "%");
  const QString pin = QString::fromStdString(page_->PinText());
  if (!pinBox_->hasFocus() || pinBox_->isReadOnly()) pinBox_->setText(pin);
  configMode_->setCurrentIndex(page_->State().Registrar() ? 1 : 0);
  band_->setCurrentIndex(int(page_->State().Band));
  probeIe_->setChecked(page_->ProbeIe());
  assocIe_->setChecked(page_->AssocIe());
}

void CPageWPSDlg::ShowLists() {
  showing_ = true;
  apModel_->SetRows(page_->Aps());
  profileModel_->SetRows(page_->Credentials(), page_->RowStates());
  const auto select = [](QTableView* list, int row) {
    const auto rows = list->selectionModel()->selectedRows();
    const int current = rows.isEmpty() ? -1 : rows.first().row();
    if (current == row) return;
    if (row < 0) {
      list->clearSelection();
      return;
    }
    list->selectionModel()->setCurrentIndex(
        list->model()->index(row, 1),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  };
  select(apList_, page_->SelectedAp());
  select(profileList_, page_->SelectedProfile());
  showing_ = false;
}

void CPageWPSDlg::ShowButtons() {
  const WpsButtons b = page_->Buttons();
  rescan_->setEnabled(b.rescan);
  information_->setEnabled(b.information);
  pin_->setEnabled(b.pin);
  pbc_->setEnabled(b.pbc);
  renew_->setEnabled(b.renew);
  detail_->setEnabled(b.profileDetail);
  connect_->setEnabled(b.connect);
  rotate_->setEnabled(b.rotate);
  delete_->setEnabled(b.remove);
  delete_->setVisible(b.removeShown);
  import_->setEnabled(b.import);
  band_->setEnabled(b.band);
  pinBox_->setReadOnly(!b.pinEditable);
}

void CPageWPSDlg::SizeColumns(QTableView* list) {
  const int width = list->viewport()->width();
  const double* widths =
      list == apList_ ? kWpsApColumnWidths.data() : kWpsProfileColumnWidths.data();
  const int count = list->model()->columnCount();
  for (int column = 0; column < count; ++column) {
    list->setColumnWidth(column, int(width * widths[column]));
  }
}

bool CPageWPSDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    if (apList_ && watched == apList_->viewport()) SizeColumns(apList_);
    if (profileList_ && watched == profileList_->viewport()) SizeColumns(profileList_);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kavo9
