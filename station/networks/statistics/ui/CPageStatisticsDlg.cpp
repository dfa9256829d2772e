#include "station/networks/statistics/ui/CPageStatisticsDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "common/ui/Theme.h"
#include "station/networks/statistics/ui/StatisticsIds.h"

namespace kavo9 {
namespace {

using namespace statisticspage;

constexpr TimerId kRefreshTimer = 1;
constexpr int kPageFontCell = 16;

template <typename W>
W* Numbered(W* widget, int number) {
  widget->setObjectName(QString::number(number));
  return widget;
}

// The language text, or the page's own when the language file lacks it.
QString Caption(const CPageStatisticsDlg::TextLookup& text, LangKey key, const char* fallback) {
  const QString found = text(key);
  return found.isEmpty() ? QString::fromUtf8(fallback) : found;
}

}  // namespace

CPageStatisticsDlg::CPageStatisticsDlg(EventLoop& loop, DriverPort& driver,
                                       statistics::StatisticsLinkPort& link, const TextLookup& text,
                                       const QString& faceName, QWidget* parent)
    : QWidget(parent), statistics_(driver, link), timers_(loop, [this](TimerId) { Refresh(); }) {
  setObjectName(QString::number(kDialog));
  setFont(WindowFont(faceName, kPageFontCell));
  const std::vector<QString> txCaptions = {
      Caption(text, LangKey::IDS_STA_TXOK, "Frames Transmitted Successfully"),
      Caption(text, LangKey::IDS_STA_TXOKRETRY, "Frames Transmitted Successfully After Retry(s)"),
      Caption(text, LangKey::IDS_STA_TXOKALLRETRY, "Frames Fail To Receive ACK After All Retries"),
      Caption(text, LangKey::IDS_STA_RTSOK, "RTS Frames Successfully Receive CTS"),
      Caption(text, LangKey::IDS_STA_RTSFAIL, "RTS Frames Fail To Receive CTS"),
      Caption(text, LangKey::IDS_STA_TXOKNORETRY, "Frames Transmitted Successfully Without Retry")};
  const std::vector<QString> rxCaptions = {
      Caption(text, LangKey::IDS_STA_RXOK, "Frames Received Successfully"),
      Caption(text, LangKey::IDS_STA_RXCRC, "Frames Received With CRC Error"),
      Caption(text, LangKey::IDS_STA_DROP, "Frames Dropped Due To Out-of-Resource"),
      Caption(text, LangKey::IDS_STA_RXDUPLI, "Duplicate Frames Received")};
  std::vector<std::pair<int, int>> txLines, rxLines;
  for (const CounterLine& l : kTxLines) txLines.emplace_back(l.caption, l.value);
  for (const CounterLine& l : kRxLines) rxLines.emplace_back(l.caption, l.value);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  auto* group = new QButtonGroup(this);
  const QString tabTexts[2] = {Caption(text, LangKey::IDS_STA_TX, "Transmit"),
                               Caption(text, LangKey::IDS_STA_RX, "Receive")};
  for (int i = 0; i < 2; ++i) {
    auto* button = Numbered(new QPushButton(tabTexts[i], this), i ? kRxTabButton : kTxTabButton);
    button->setCheckable(true);
    button->setAutoExclusive(true);
    button->setAutoDefault(false);
    NameControl(button, tabTexts[i],
                QStringLiteral("Shows the %1 counters; the arrow keys switch tabs")
                    .arg(tabTexts[i].toLower()));
    button->installEventFilter(this);
    group->addButton(button, i);
    tabButtons_[i] = button;
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  tabs_ = Numbered(new QStackedWidget(this), kTabArea);
  tabs_->addWidget(BuildTab(kTxTabDialog, txLines, txCaptions, &txValues_));
  tabs_->addWidget(BuildTab(kRxTabDialog, rxLines, rxCaptions, &rxValues_));
  connect(group, &QButtonGroup::idClicked, this, &CPageStatisticsDlg::ShowTab);
  connect(group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) tabs_->setCurrentIndex(id);
  });

  const QString resetText = Caption(text, LangKey::IDS_STA_RESETCOUNTER, "Reset Counter");
  auto* reset = Numbered(new QPushButton(resetText, this), kResetCounter);
  reset->setAutoDefault(false);
  NameControl(reset, resetText, QStringLiteral("Clears the adapter's frame counters"));
  connect(reset, &QPushButton::clicked, this, [this] {
    statistics_.ResetCounter();
    Apply();
  });
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(reset);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 12);
  layout->addLayout(buttons);
  layout->addWidget(tabs_, 1);
  layout->addLayout(bottom);
  ShowTab(0);
  Apply();
}

CPageStatisticsDlg::~CPageStatisticsDlg() = default;

QWidget* CPageStatisticsDlg::BuildTab(int dialog, const std::vector<std::pair<int, int>>& lines,
                                      const std::vector<QString>& captions,
                                      std::vector<QLabel*>* values) {
  auto* tab = Numbered(new QWidget, dialog);
  SetRole(tab, "card");
  auto* grid = new QGridLayout(tab);
  grid->setContentsMargins(16, 12, 16, 12);
  grid->setVerticalSpacing(10);
  grid->setHorizontalSpacing(12);
  for (size_t i = 0; i < lines.size(); ++i) {
    auto* caption = Numbered(new QLabel(captions[i], tab), lines[i].first);
    auto* equals = new QLabel(QStringLiteral("="), tab);
    auto* value = Numbered(new QLabel(QStringLiteral("0"), tab), lines[i].second);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setTextFormat(Qt::PlainText);
    value->setMinimumWidth(140);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setFocusPolicy(Qt::TabFocus);
    NameByLabel(caption, value);
    // The "without retry" line closes the transmit tab, below a gap.
    const int row = int(i) + (dialog == kTxTabDialog && i + 1 == lines.size() ? 1 : 0);
    grid->addWidget(caption, row, 0);
    grid->addWidget(equals, row, 1);
    grid->addWidget(value, row, 2);
    values->push_back(value);
  }
  if (dialog == kTxTabDialog) grid->setRowMinimumHeight(int(lines.size()) - 1, 6);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(int(lines.size()) + 1, 1);
  return tab;
}

void CPageStatisticsDlg::Apply() {
  const auto& tx = statistics_.TxTexts();
  for (size_t i = 0; i < txValues_.size() && i < tx.size(); ++i) {
    txValues_[i]->setText(QString::fromStdString(tx[i]));
  }
  const auto& rx = statistics_.RxTexts();
  for (size_t i = 0; i < rxValues_.size() && i < rx.size(); ++i) {
    rxValues_[i]->setText(QString::fromStdString(rx[i]));
  }
}

void CPageStatisticsDlg::Refresh() {
  statistics_.Refresh();
  Apply();
}

bool CPageStatisticsDlg::Refreshing() const {
  return timers_.IsSet(kRefreshTimer);
}

void CPageStatisticsDlg::ShowTab(int tab) {
  if (tab < 0 || tab > 1) return;
  tabButtons_[tab]->setChecked(true);
  tabs_->setCurrentIndex(tab);
}

int CPageStatisticsDlg::CurrentTab() const {
  return tabs_->currentIndex();
}

bool CPageStatisticsDlg::eventFilter(QObject* watched, QEvent* event) {
  // The arrow keys switch tabs, as in a tab bar.
  if (event->type() == QEvent::KeyPress &&
      (watched == tabButtons_[0] || watched == tabButtons_[1])) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
      const int tab = 1 - CurrentTab();
      ShowTab(tab);
      tabButtons_[tab]->setFocus(Qt::TabFocusReason);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CPageStatisticsDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();  // the counters at once
  timers_.Set(kRefreshTimer, statistics::kRefreshMs);
}

void CPageStatisticsDlg::hideEvent(QHideEvent* event) {
  timers_.Kill(kRefreshTimer);
  QWidget::hideEvent(event);
}

}  // namespace kavo9
