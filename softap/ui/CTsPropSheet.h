#pragma once
// The access point's property sheet: a modeless window with its pages as tabs and OK and Cancel,
// either of which closes it. The 802.11n page comes and goes at the end as the settings file
// says.

#include <QDialog>
#include <vector>

#include "softap/shell/HostiraStrings.h"
#include "softap/ui/SheetPages.h"

class QTabWidget;

namespace kavo9::softap {

class CTsPropSheet : public QDialog {
  Q_OBJECT
 public:
  CTsPropSheet(const HostiraStrings& strings, std::vector<SheetPageSpec> pages,
               SheetPageSpec htPage, QWidget* parent = nullptr);

  void SetHtPageShown(bool shown);
  bool HtPageShown() const { return htIndex_ >= 0; }
  QTabWidget* Tabs() const { return tabs_; }
  const std::vector<SheetPageSpec>& Pages() const { return pages_; }
  const SheetPageSpec& HtPage() const { return htPage_; }

 private:
  const HostiraStrings& strings_;
  std::vector<SheetPageSpec> pages_;
  SheetPageSpec htPage_;
  QTabWidget* tabs_ = nullptr;
  int htIndex_ = -1;
};

}  // namespace kavo9::softap
