#include "common/ui/Theme.h"

#include "common/ui/Accessibility.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <algorithm>

static void InitIconResources() {
  Q_INIT_RESOURCE(icons);
}

namespace kavo9 {

namespace {

// One palette: a calm slate ground, white cards, a blue accent.
const char* kStyleSheet = R"(
QDialog[role="mainWindow"] { background: #EEF2F7; }
QWidget[role="bar"] {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #243049, stop:1 #141C2E);
  border-bottom: 1px solid #0B1120;
}
QWidget[role="card"] {
  background: #FFFFFF;
  border: 1px solid #D6DDE8;
  border-radius: 12px;
}
QLabel[role="placeholder"] { color: #94A3B8; font-size: 15px; }
QLabel[role="placeholderTitle"] { color: #475569; font-size: 19px; font-weight: 600; }
QToolButton[role="pageButton"] {
  color: #CBD5E1;
  background: transparent;
  border: 1px solid transparent;
  border-radius: 10px;
  padding: 4px 2px 3px 2px;
}
QToolButton[role="pageButton"]:hover { background: rgba(255, 255, 255, 0.08); color: #FFFFFF; }
QToolButton[role="pageButton"]:pressed { background: rgba(255, 255, 255, 0.14); }
QToolButton[role="pageButton"]:checked {
  color: #FFFFFF;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgba(76, 141, 246, 0.55),
                              stop:1 rgba(47, 111, 235, 0.35));
  border: 1px solid rgba(147, 197, 253, 0.55);
}
QToolButton[role="pageButton"]:disabled { color: #5B6B85; }
QToolButton[role="pageButton"]:focus {
  border: 2px solid #7DD3FC;
  padding: 3px 1px 2px 1px;
}
QToolButton[role="arrow"] {
  background: rgba(255, 255, 255, 0.06);
  border: 1px solid rgba(255, 255, 255, 0.10);
  border-radius: 8px;
}
QToolButton[role="arrow"]:hover { background: rgba(255, 255, 255, 0.16); }
QToolButton[role="arrow"]:disabled { background: transparent; border-color: transparent; }
QToolButton[role="arrow"]:focus { border: 2px solid #7DD3FC; }
QToolButton[role="blank"] { background: transparent; border: none; }
QPushButton[role="moreLess"] {
  color: #1D4FB8;
  background: #FFFFFF;
  border: 1px solid #C9D3E3;
  border-radius: 15px;
  padding: 4px 16px 4px 10px;
  font-size: 13px;
  font-weight: 600;
}
QPushButton[role="moreLess"]:hover { background: #F2F6FF; border-color: #9DB8EC; }
QPushButton[role="moreLess"]:pressed { background: #E4ECFD; }
QPushButton[role="moreLess"]:focus { border: 2px solid #2F6FEB; padding: 3px 15px 3px 9px; }
QDialog[role="messageBox"] { background: #FFFFFF; }
QLabel[role="message"] { color: #1E293B; font-size: 14px; }
QPushButton[role="primary"] {
  color: #FFFFFF;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4C8DF6, stop:1 #2F6FEB);
  border: 1px solid #2559C9;
  border-radius: 8px;
  padding: 6px 26px;
  min-width: 64px;
  font-weight: 600;
}
QPushButton[role="primary"]:hover { background: #3F7FF0; }
QPushButton[role="primary"]:pressed { background: #2559C9; }
QPushButton[role="primary"]:focus { border: 2px solid #0F2F7A; padding: 5px 25px; }
QCheckBox:focus, QRadioButton:focus { background: #DBEAFE; border-radius: 4px; }
QLabel[role="status"] { color: #1D4FB8; font-weight: 600; }
QLabel[role="listNotice"] { color: #475569; font-size: 15px; background: transparent; }
QMenu {
  background: #FFFFFF;
  border: 1px solid #CFD7E3;
  border-radius: 8px;
  padding: 5px;
}
QMenu::item { padding: 7px 28px 7px 14px; border-radius: 6px; color: #1E293B; }
QMenu::item:selected { background: #E7EFFE; color: #1D4FB8; }
QMenu::separator { height: 1px; background: #E2E8F0; margin: 4px 8px; }
QToolTip { color: #F8FAFC; background: #1E293B; border: 1px solid #0F172A; padding: 4px 6px; }
)";

}  // namespace

void ApplyTheme(QApplication& app) {
  InitIconResources();
  InstallAccessibleFactories();
  if (QStyle* fusion = QStyleFactory::create("Fusion")) app.setStyle(fusion);
  QPalette palette = app.style()->standardPalette();
  // Setting a colour for every group would paint disabled controls like enabled ones.
  auto set = [&palette](QPalette::ColorRole role, const char* normal, const char* disabled) {
    palette.setColor(QPalette::Active, role, QColor(normal));
    palette.setColor(QPalette::Inactive, role, QColor(normal));
    palette.setColor(QPalette::Disabled, role, QColor(disabled));
  };
  set(QPalette::Window, "#EEF2F7", "#EEF2F7");
  set(QPalette::WindowText, "#1E293B", "#94A3B8");
  set(QPalette::Base, "#FFFFFF", "#F1F5F9");
  set(QPalette::Text, "#1E293B", "#94A3B8");
  set(QPalette::Button, "#F8FAFC", "#F1F5F9");
  set(QPalette::ButtonText, "#1E293B", "#94A3B8");
  set(QPalette::Highlight, "#2F6FEB", "#CBD5E1");
  set(QPalette::HighlightedText, "#FFFFFF", "#FFFFFF");
  app.setPalette(palette);
  app.setStyleSheet(kStyleSheet);
}

QIcon ResourceIcon(int id) {
  InitIconResources();
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(id));
}

QIcon ListImage(int index) {
  InitIconResources();
  return QIcon(QStringLiteral(":/icons/167_%1.svg").arg(index));
}

QFont WindowFont(const QString& faceName, int cellHeight) {
  QFont font(faceName.isEmpty() ? QStringLiteral("Trebuchet MS") : faceName);
  // Largest pixel size whose line still fits the cell.
  for (int pixels = cellHeight; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).height() <= cellHeight) break;
  }
  return font;
}

void KeepTextClearOfFrame(QPushButton* button) {
  constexpr int kTextMargin = 14;
  const int text = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
  button->setMinimumWidth(std::max(button->minimumSizeHint().width(), text + 2 * kTextMargin));
}

void SetRole(QWidget* widget, const char* role) {
  widget->setProperty("role", QString::fromLatin1(role));
  widget->setAttribute(Qt::WA_StyledBackground, true);
}

}  // namespace kavo9
