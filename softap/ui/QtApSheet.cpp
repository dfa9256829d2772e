#include "softap/ui/QtApSheet.h"

#include "common/ui/MessageBoxDlg.h"
#include "softap/shell/HostiraIds.h"
#include "softap/ui/HostiraIcons.h"

namespace kavo9::softap {

QtApSheet::~QtApSheet() {
  Close();
}

bool QtApSheet::IsOpen() const {
  return sheet_ && sheet_->isVisible();
}

void QtApSheet::Create() {
  Close();
  sheet_ = create_();
  sheet_->setAttribute(Qt::WA_DeleteOnClose);
  sheet_->show();
  BringToForeground();
}

void QtApSheet::BringToForeground() {
  if (!sheet_) return;
  sheet_->raise();
  sheet_->activateWindow();
}

void QtApSheet::Close() {
  if (!sheet_) return;
  CTsPropSheet* sheet = sheet_;
  sheet_ = nullptr;
  sheet->setAttribute(Qt::WA_DeleteOnClose, false);
  sheet->close();
  delete sheet;
}

void QtApSheet::SetIcon(uint32_t icon) {
  if (sheet_) sheet_->setWindowIcon(HostiraIcon(int(icon)));
}

void QtApSheet::UpdateHtPage(bool show) {
  if (sheet_) sheet_->SetHtPageShown(show);
}

void QtApMessages::ShowMessage(std::string_view text, bool) {
  kavo9::ShowMessageBox(QString::fromUtf8(text.data(), qsizetype(text.size())),
                        QString::fromStdString(strings_.Text(kStrOk)));
}

}  // namespace kavo9::softap
