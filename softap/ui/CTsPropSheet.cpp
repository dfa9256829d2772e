#include "softap/ui/CTsPropSheet.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "softap/shell/HostiraIds.h"
#include "softap/ui/HostiraIcons.h"
#include "softap/ui/TsPropSheetIds.h"

namespace kavo9::softap {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

CTsPropSheet::CTsPropSheet(const HostiraStrings& strings, std::vector<SheetPageSpec> pages,
                           SheetPageSpec htPage, QWidget* parent)
    : QDialog(parent), strings_(strings), pages_(std::move(pages)), htPage_(std::move(htPage)) {
  setWindowTitle(Q(strings.Text(kStrSheetCaption)));
  setWindowIcon(HostiraIcon(kIconDisconnected));
  setAccessibleName(windowTitle());
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QString::number(kIdTabs));
  tabs_->setAccessibleName(windowTitle());
  for (const SheetPageSpec& page : pages_) {
    QWidget* widget = page.create();
    tabs_->addTab(widget, Q(strings.Text(page.titleId)));
  }
  layout->addWidget(tabs_, 1);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(Q(strings.Text(kStrOk)), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QString::number(kIdOk));
  ok->setAccessibleName(ok->text());
  ok->setDefault(true);
  QPushButton* cancel =
      buttons->addButton(Q(strings.Text(kStrCancel)), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QString::number(kIdCancel));
  cancel->setAccessibleName(cancel->text());
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
  setTabOrder(tabs_, ok);
  setTabOrder(ok, cancel);

  // The sheet ends just below its buttons, and never beyond the screen.
  resize(620, 440);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize room = screen->availableGeometry().size();
    resize(std::min(width(), room.width()), std::min(height(), room.height()));
  }
}

void CTsPropSheet::SetHtPageShown(bool shown) {
  if (shown == HtPageShown()) return;
  if (shown) {
    htIndex_ = tabs_->addTab(htPage_.create(), Q(strings_.Text(htPage_.titleId)));
  } else {
    QWidget* page = tabs_->widget(htIndex_);
    tabs_->removeTab(htIndex_);
    delete page;
    htIndex_ = -1;
  }
}

}  // namespace kavo9::softap
