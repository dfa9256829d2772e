#include "station/shell/ui/MainWindowDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ui/MessageBoxDlg.h"
#include "common/ui/Theme.h"
#include "station/shell/mainwindow/HelpFile.h"
#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/mainwindow/RadioButton.h"
#include "station/shell/ui/TabDialog.h"

namespace kavo9 {

using mainwindow::BarButton;

namespace {

constexpr int kMargin = 12;
constexpr int kMoreLessWidth = 132;
constexpr int kMoreLessHeight = 32;
constexpr int kLowerFrameHeight = 232;
constexpr int kBarFontCell = 20;

PageBarOptions BarOptions(const MainWindowHost& host) {
  return {host.SsoInstalled(), host.Setting11n(), host.IsHtFamily(), host.RegisterSetting()};
}

}  // namespace

QWidget* MakePlaceholder(int dialog, const QString& title, int icon, QWidget* parent) {
  auto* page = new QWidget(parent);
  page->setObjectName(QString::number(dialog));
  auto* layout = new QVBoxLayout(page);
  layout->addStretch();
  if (icon) {
    auto* picture = new QLabel(page);
    picture->setPixmap(ResourceIcon(icon).pixmap(QSize(56, 56), page->devicePixelRatioF()));
    picture->setAlignment(Qt::AlignHCenter);
    picture->setEnabled(false);  // greyed: nothing here yet
    layout->addWidget(picture);
  }
  if (!title.isEmpty()) {
    auto* label = new QLabel(title, page);
    label->setProperty("role", "placeholderTitle");
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
  }
  layout->addStretch();
  return page;
}

QWidget* MakeStandInPart(const MainWindowHost& host, int dialog, QWidget* parent) {
  auto text = [&host](std::string_view key) { return QString::fromStdString(host.Text(key)); };
  for (const auto& info : mainwindow::kPageButtons) {
    if (info.page == dialog) return MakePlaceholder(dialog, text(info.textKey), info.icon, parent);
  }
  QString title = dialog == mainwindow::kPanelDialogs[mainwindow::kLinkStatusPanel]
                      ? text("IDS_TAB_LINKSTATUS")
                      : QString();
  return MakePlaceholder(dialog, title, 0, parent);
}

CLinkora2007Dlg::CLinkora2007Dlg(MainWindowHost& host, PartFactory createPart, QWidget* parent)
    : QDialog(parent), host_(host), barOptions_(BarOptions(host)), bar_(barOptions_) {
  setObjectName(QString::number(mainwindow::kDialog));
  SetRole(this, "mainWindow");
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowFlag(Qt::WindowMinimizeButtonHint, true);
  setWindowTitle(Text("IDS_TESMAR_CONFIG_TITLE"));
  drag_ = new WindowDrag(this);
  WatchBackground(this);

  if (!createPart) {
    createPart = [this](int dialog, QWidget* parentWidget) {
      return MakeStandInPart(host_, dialog, parentWidget);
    };
  }

  // Everything sits on one content widget that scrolls when the screen is smaller than it.
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("scroller"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setWidgetResizable(false);
  content_ = new QWidget;
  content_->setObjectName(QStringLiteral("content"));
  SetRole(content_, "mainWindow");
  WatchBackground(content_);
  WatchBackground(scroll_->viewport());
  auto* frame = new QVBoxLayout(this);
  frame->setContentsMargins(0, 0, 0, 0);
  frame->addWidget(scroll_);

  // The page container over the upper frame.
  upperFrame_ = new QWidget(content_);
  upperFrame_->setObjectName(QString::number(mainwindow::kUpperFrame));
  tabs_ = new CTabDialog(upperFrame_);
  tabs_->SetPresentTest([this](BarButton button) { return bar_.Present(button); });
  upperFrame_->setGeometry(0, 0, tabs_->width(), tabs_->height());
  WatchBackground(upperFrame_);
  WatchBackground(tabs_);
  for (QWidget* child : tabs_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!qobject_cast<QToolButton*>(child)) WatchBackground(child);
  }
  connect(tabs_, &CTabDialog::ScrollRequested, this, [this](bool left) {
    if (left ? bar_.ScrollLeft() : bar_.ScrollRight()) LayOutBar();
  });
  connect(tabs_, &CTabDialog::PageShown, this, [this](int page) {
    if (pageShown_) pageShown_(page);
  });

  complete_ = CreatePagesAndButtons(createPart);
  LayOutBar();

  int width = tabs_->width();
  moreLess_ = new QPushButton(content_);
  moreLess_->setObjectName(QString::number(mainwindow::kMoreLess));
  moreLess_->setProperty("role", "moreLess");
  moreLess_->setIconSize(QSize(18, 18));
  moreLess_->setFocusPolicy(Qt::StrongFocus);
  moreLess_->setAutoDefault(false);
  moreLess_->setGeometry(width - kMargin - kMoreLessWidth, upperFrame_->geometry().bottom() + 9,
                         kMoreLessWidth, kMoreLessHeight);
  connect(moreLess_, &QPushButton::clicked, this, &CLinkora2007Dlg::OnMoreLess);

  lowerFrame_ = new QWidget(content_);
  lowerFrame_->setObjectName(QString::number(mainwindow::kLowerFrame));
  SetRole(lowerFrame_, "card");
  lowerFrame_->setGeometry(kMargin, moreLess_->geometry().bottom() + 11, width - 2 * kMargin,
                           kLowerFrameHeight);
  WatchBackground(lowerFrame_);
  if (complete_) complete_ = CreatePanels(createPart);
  SetPanelVisible(mainwindow::kLinkStatusPanel, true);

  scroll_->setWidget(content_);
  content_->setFixedWidth(width);
  MarkMnemonics();
  OrderTabs();
  InstallPageShortcuts();
  // A control reached by the keyboard is scrolled into view when the window scrolls.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && content_->isAncestorOf(now)) scroll_->ensureWidgetVisible(now, 8, 8);
  });
  ApplyExpanded();
}

CLinkora2007Dlg::~CLinkora2007Dlg() = default;

QString CLinkora2007Dlg::Text(std::string_view key) const {
  return QString::fromStdString(host_.Text(key));
}

bool CLinkora2007Dlg::CreatePagesAndButtons(const PartFactory& createPart) {
  QFont barFont = WindowFont(QString::fromStdString(host_.FontFaceName()), kBarFontCell);
  barFont.setStretch(QFont::SemiCondensed);  // eight labels side by side
  PageBarOptions options = BarOptions(host_);
  for (const auto& info : mainwindow::kPageButtons) {
    // The bar's mnemonics come first: they work from every page.
    QToolButton* button = tabs_->AddButton(info, letters_.Mark(Text(info.textKey)), barFont);
    button->setEnabled(PageButtonEnabled(info.button, options, host_.ConfigToolState()));
    if (info.button == BarButton::Radio) {
      connect(button, &QToolButton::clicked, this, &CLinkora2007Dlg::OnRadio);
    } else if (info.button == BarButton::Help) {
      connect(button, &QToolButton::clicked, this, &CLinkora2007Dlg::OnHelp);
    }
    if (info.page == mainwindow::kNoPage) continue;
    QWidget* page = createPart(info.page, tabs_->PageArea());
    if (!page) {
      tabs_->ShowPageOf(mainwindow::kProfileButton);
      return false;
    }
    page->setObjectName(QString::number(info.page));
    if (page->accessibleName().isEmpty()) page->setAccessibleName(Text(info.textKey));
    WatchBackground(page);
    tabs_->AddPage(info.command, page);
  }
  RefreshRadioControls();
  tabs_->ShowPageOf(mainwindow::kProfileButton);
  return true;
}

bool CLinkora2007Dlg::CreatePanels(const PartFactory& createPart) {
  for (int number = 0; number < mainwindow::kPanelCount; ++number) {
    int dialog = mainwindow::kPanelDialogs[number];
    QWidget* panel = createPart(dialog, lowerFrame_);
    if (!panel) return false;
    panel->setObjectName(QString::number(dialog));
    panel->setGeometry(lowerFrame_->rect());
    panel->hide();
    WatchBackground(panel);
    panels_[number] = panel;
  }
  return true;
}

void CLinkora2007Dlg::LayOutBar() {
  tabs_->ApplyLayout(bar_.Layout());
  int page = PageAfterLayout(tabs_->CurrentPage(), host_.Setting11n());
  if (page != tabs_->CurrentPage()) tabs_->ShowPage(page);
}

void CLinkora2007Dlg::SetExpanded(bool expanded) {
  expand_.SetExpanded(expanded);
  ApplyExpanded();
}

void CLinkora2007Dlg::OnMoreLess() {
  expand_.Toggle();
  ApplyExpanded();
}

void CLinkora2007Dlg::ApplyExpanded() {
  RefreshMoreLess();
  int height = WindowHeight(expand_.expanded(), moreLess_->geometry().bottom() + 1,
                            lowerFrame_->geometry().bottom() + 1 + kMargin);
  lowerFrame_->setVisible(expand_.expanded());
  content_->setFixedHeight(height);
  FitToScreen();
}

void CLinkora2007Dlg::FitToScreen() {
  const QRect available = AvailableGeometry(this);
  QSize wanted = content_->size();
  if (available.isEmpty()) {
    setFixedSize(wanted);
    return;
  }
  const QSize frameExtra = frameGeometry().size() - geometry().size();
  QSize fitted = FittingSize(wanted, frameExtra, available);
  // A scroll bar in one direction takes room from the other.
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  if (fitted.height() < wanted.height()) wanted.rwidth() += bar;
  if (fitted.width() < content_->width()) wanted.rheight() += bar;
  fitted = FittingSize(wanted, frameExtra, available);
  setFixedSize(fitted);
  if (isVisible()) KeepOnScreen(this);
}

void CLinkora2007Dlg::RefreshMoreLess() {
  MoreLessFace face = expand_.Face();
  // Re-applied every 200 ms: an unchanged icon is not drawn again.
  if (face.icon != moreLessIcon_) {
    moreLess_->setIcon(ResourceIcon(face.icon));
    moreLessIcon_ = face.icon;
  }
  const QString text = Text(face.textKey);
  if (moreLess_->text() == text) return;
  moreLess_->setText(text);
  NameControl(moreLess_, text,
              expand_.expanded() ? QStringLiteral("Hides the link status below the page")
                                 : QStringLiteral("Shows the link status below the page"));
}

void CLinkora2007Dlg::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  KeepOnScreen(this);
  raise();
  activateWindow();
}

void CLinkora2007Dlg::SetPanelVisible(int number, bool visible) {
  if (number < 0 || number >= mainwindow::kPanelCount || !panels_[number]) return;
  panels_[number]->setVisible(visible);
}

void CLinkora2007Dlg::SetWindowIcon(uint32_t icon) {
  setWindowIcon(ResourceIcon(static_cast<int>(icon)));
}

void CLinkora2007Dlg::SetConfigToolButtonsEnabled(bool enabled) {
  for (BarButton button : {BarButton::Profile, BarButton::Wps}) {
    if (QToolButton* widget = tabs_->Button(button)) widget->setEnabled(enabled);
  }
}

void CLinkora2007Dlg::RefreshRadioControls() {
  if (QToolButton* radio = tabs_->Button(BarButton::Radio)) {
    radio->setIcon(ResourceIcon(RadioIcon(host_.RadioOn())));
  }
  // The settings switch or single sign-on may have changed since the bar was laid out: the bar
  // follows them at the controller's next tick.
  const PageBarOptions options = BarOptions(host_);
  if (options != barOptions_) {
    barOptions_ = options;
    bar_ = PageBar(options);
    LayOutBar();
  }
}

void CLinkora2007Dlg::PressFirstPageButton() {
  if (QToolButton* profile = tabs_->Button(BarButton::Profile)) profile->click();
}

void CLinkora2007Dlg::Close() {
  closed_ = true;
  hide();
}

void CLinkora2007Dlg::OnRadio() {
  ToggleRadio(host_);
  RefreshRadioControls();
}

void CLinkora2007Dlg::OnHelp() {
  if (OpenHelp(host_.Launcher(), host_.ProgramDir(), host_.DefaultLanguageId())) return;
  const QString message =
      QString::fromStdString(HelpNotOpenedMessage(host_.ProgramDir(), host_.DefaultLanguageId()));
  if (showMessage_) {
    showMessage_(message);
  } else {
    ShowMessageBox(message, Text("IDS_OK"), this);
  }
}

void CLinkora2007Dlg::WatchBackground(QWidget* widget) {
  drag_->Watch(widget);
}

void CLinkora2007Dlg::CyclePage(int step) {
  const std::vector<int> pages = tabs_->ReachablePages();
  if (pages.empty()) return;
  const auto at = std::find(pages.begin(), pages.end(), tabs_->CurrentCommand());
  const int count = int(pages.size());
  int index = at == pages.end() ? 0 : int(at - pages.begin());
  index = ((index + step) % count + count) % count;
  const int command = pages[size_t(index)];
  tabs_->BringIntoView(command);
  const bool focusInBar = focusWidget() && tabs_->isAncestorOf(focusWidget()) &&
                          qobject_cast<QToolButton*>(focusWidget());
  tabs_->ShowPageOf(command);
  if (focusInBar) tabs_->ButtonOf(command)->setFocus(Qt::TabFocusReason);
}

bool CLinkora2007Dlg::ShowPageIfReachable(int pageDialog) {
  for (int command : tabs_->ReachablePages()) {
    if (mainwindow::InfoOfCommand(command).page != pageDialog) continue;
    tabs_->BringIntoView(command);
    tabs_->ShowPageOf(command);
    return true;
  }
  return false;
}

void CLinkora2007Dlg::InstallPageShortcuts() {
  const std::pair<QKeySequence, int> keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), +1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageDown), +1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
  };
  for (const auto& [sequence, step] : keys) {
    auto* shortcut = new QShortcut(sequence, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, step = step] { CyclePage(step); });
  }
}

void CLinkora2007Dlg::MarkMnemonics() {
  // Pages are never shown together, so each may use every letter the bar left; a panel shows
  // beside a page and takes what is left after the More/Less button.
  for (const auto& info : mainwindow::kPageButtons) {
    if (info.page == mainwindow::kNoPage) continue;
    MnemonicLetters pageLetters = letters_;
    if (QWidget* page = Find(info.page)) AssignMnemonics(page, pageLetters);
  }
  for (QWidget* panel : panels_) {
    MnemonicLetters panelLetters = letters_;
    if (panel) AssignMnemonics(panel, panelLetters);
  }
  // The bar's buttons tell their keys.
  for (const auto& info : mainwindow::kPageButtons) {
    QToolButton* button = tabs_->Button(info.button);
    if (!button) continue;
    QString tip = button->accessibleName();
    const QString key = QKeySequence::mnemonic(button->text()).toString(QKeySequence::NativeText);
    if (!key.isEmpty()) tip += QStringLiteral(" (%1)").arg(key);
    if (info.page != mainwindow::kNoPage) {
      tip += QStringLiteral(
          " \u2014 Ctrl+Tab and Ctrl+Shift+Tab change pages, the arrow keys "
          "move along the bar");
    }
    button->setToolTip(tip);
    button->setAccessibleDescription(
        info.page != mainwindow::kNoPage
            ? QStringLiteral("Shows the %1 page").arg(button->accessibleName())
            : tip);
  }
}

void CLinkora2007Dlg::OrderTabs() {
  // The bar in its order, then the page shown, the More/Less button and the panel: the order the
  // eye reads the window in.
  std::vector<QWidget*> order;
  for (const auto& info : mainwindow::kPageButtons) {
    if (QToolButton* button = tabs_->Button(info.button)) order.push_back(button);
  }
  auto addChainOf = [&order](QWidget* container) {
    if (!container) return;
    for (QWidget* w = container->nextInFocusChain();
         w && w != container && container->isAncestorOf(w); w = w->nextInFocusChain()) {
      if (w->focusPolicy() != Qt::NoFocus && !w->focusProxy()) order.push_back(w);
    }
  };
  for (const auto& info : mainwindow::kPageButtons) {
    if (info.page != mainwindow::kNoPage) addChainOf(Find(info.page));
  }
  order.push_back(moreLess_);
  for (QWidget* panel : panels_) addChainOf(panel);
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

QWidget* CLinkora2007Dlg::Find(int number) const {
  return content_->findChild<QWidget*>(QString::number(number));
}

void CLinkora2007Dlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    OnHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CLinkora2007Dlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The frame is known now: fit it, and keep it on the screen.
  FitToScreen();
  KeepOnScreen(this);
}

void CLinkora2007Dlg::closeEvent(QCloseEvent* event) {
  closed_ = true;
  QDialog::closeEvent(event);
}

void CLinkora2007Dlg::done(int result) {
  closed_ = true;
  QDialog::done(result);
}

}  // namespace kavo9
