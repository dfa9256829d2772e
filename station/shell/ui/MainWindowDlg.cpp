#include "station/shell/ui/MainWindowDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

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
  return {host.SsoInstalled(), host.Setting11n(), host.IsHtFamily()};
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
    : QDialog(parent), host_(host), bar_(BarOptions(host)) {
  setObjectName(QString::number(mainwindow::kDialog));
  SetRole(this, "mainWindow");
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowFlag(Qt::WindowMinimizeButtonHint, true);
  setWindowTitle(Text("IDS_TESMAR_CONFIG_TITLE"));
  WatchBackground(this);

  if (!createPart) {
    createPart = [this](int dialog, QWidget* parentWidget) {
      return MakeStandInPart(host_, dialog, parentWidget);
    };
  }

  // The page container over the upper frame.
  upperFrame_ = new QWidget(this);
  upperFrame_->setObjectName(QString::number(mainwindow::kUpperFrame));
  tabs_ = new CTabDialog(upperFrame_);
  upperFrame_->setGeometry(0, 0, tabs_->width(), tabs_->height());
  WatchBackground(upperFrame_);
  WatchBackground(tabs_);
  for (QWidget* child : tabs_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!qobject_cast<QToolButton*>(child)) WatchBackground(child);
  }
  connect(tabs_, &CTabDialog::ScrollRequested, this, [this](bool left) {
    if (left ? bar_.ScrollLeft() : bar_.ScrollRight()) LayOutBar();
  });

  complete_ = CreatePagesAndButtons(createPart);
  LayOutBar();

  int width = tabs_->width();
  moreLess_ = new QPushButton(this);
  moreLess_->setObjectName(QString::number(mainwindow::kMoreLess));
  moreLess_->setProperty("role", "moreLess");
  moreLess_->setIconSize(QSize(18, 18));
  moreLess_->setFocusPolicy(Qt::TabFocus);
  moreLess_->setGeometry(width - kMargin - kMoreLessWidth, upperFrame_->geometry().bottom() + 9,
                         kMoreLessWidth, kMoreLessHeight);
  connect(moreLess_, &QPushButton::clicked, this, &CLinkora2007Dlg::OnMoreLess);

  lowerFrame_ = new QWidget(this);
  lowerFrame_->setObjectName(QString::number(mainwindow::kLowerFrame));
  SetRole(lowerFrame_, "card");
  lowerFrame_->setGeometry(kMargin, moreLess_->geometry().bottom() + 11, width - 2 * kMargin,
                           kLowerFrameHeight);
  WatchBackground(lowerFrame_);
  if (complete_) complete_ = CreatePanels(createPart);
  SetPanelVisible(mainwindow::kLinkStatusPanel, true);

  setFixedWidth(width);
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
    QToolButton* button = tabs_->AddButton(info, Text(info.textKey), barFont);
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
  setFixedHeight(height);
}

void CLinkora2007Dlg::RefreshMoreLess() {
  MoreLessFace face = expand_.Face();
  moreLess_->setIcon(ResourceIcon(face.icon));
  moreLess_->setText(Text(face.textKey));
}

void CLinkora2007Dlg::BringToFront() {
  if (isMinimized()) showNormal();
  show();
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
  OpenHelp(host_.Launcher(), host_.ProgramDir(), host_.DefaultLanguageId());
}

void CLinkora2007Dlg::WatchBackground(QWidget* widget) {
  widget->installEventFilter(this);
}

// A press on the background of the window or of any page moves the window, as a press on its
// caption would.
bool CLinkora2007Dlg::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      if (windowHandle() && windowHandle()->startSystemMove()) return true;
      dragging_ = true;
      dragOffset_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
      return true;
    }
    case QEvent::MouseMove:
      if (dragging_) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        move(mouse->globalPosition().toPoint() - dragOffset_);
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (dragging_) {
        dragging_ = false;
        return true;
      }
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void CLinkora2007Dlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    OnHelp();
    return;
  }
  QDialog::keyPressEvent(event);
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
