#pragma once
// The program's message box: caption "Kavo9", an icon, the message and one OK button.

#include <QDialog>

namespace kavo9 {

class CMessageBoxDlg : public QDialog {
  Q_OBJECT
 public:
  // `okText` is the language text of the button.
  CMessageBoxDlg(const QString& message, const QString& okText, QWidget* owner = nullptr);
};

// Runs the message box modally over `owner` and returns when OK is pressed or the box is closed.
int ShowMessageBox(const QString& message, const QString& okText, QWidget* owner = nullptr);

}  // namespace kavo9
