#pragma once
// The station utility's look in one place: palette, style sheet, fonts and the icon resources.

#include <QFont>
#include <QIcon>
#include <QString>

class QApplication;
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

// Names the part of a window the style sheet dresses ("bar", "card", "pageButton" ...), and lets
// plain widgets paint the background the sheet gives them.
void SetRole(QWidget* widget, const char* role);

}  // namespace kavo9
