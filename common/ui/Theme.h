#pragma once
// The station utility's look in one place: palette, style sheet, fonts and the icon resources.
//
// Every window dressed by this theme follows the window conventions (docs/station-windows.md):
// each control reachable by keyboard with a visible focus (the sheet below gives every role a
// ":focus" face; give a new role one too), named for screen readers (NameControl and
// NameByLabel in Accessibility.h), state readable as text beside any icon, a reason in the
// tooltip of a disabled button, and the window never larger than the screen's available area.

#include <QFont>
#include <QIcon>
#include <QString>

class QApplication;
class QPushButton;
class QWidget;

namespace kavo9 {

// Puts the style and the style sheet on the whole application.
void ApplyTheme(QApplication& app);

// The icon resource `id` (131, 272, 300 ...), drawn sharp at any size.
QIcon ResourceIcon(int id);
// Image `index` (0 to 9) of the network lists' image list.
QIcon ListImage(int index);

// The language file's face at a line height of `cellHeight` pixels, as the windows use it.
QFont WindowFont(const QString& faceName, int cellHeight);

// Gives a push button room around its text (a translation may be longer than the button's
// usual width): its minimum width is the text's width plus a margin on each side.
void KeepTextClearOfFrame(QPushButton* button);

// Names the part of a window the style sheet dresses ("bar", "card", "pageButton" ...), and lets
// plain widgets paint the background the sheet gives them.
void SetRole(QWidget* widget, const char* role);

}  // namespace kavo9
