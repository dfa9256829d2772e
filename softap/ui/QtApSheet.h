#pragma once
// The sheet and the message box as the controller reaches them on a Qt desktop.

#include <QPointer>
#include <functional>
#include <vector>

#include "softap/shell/ApControllerPorts.h"
#include "softap/ui/CTsPropSheet.h"

namespace kavo9::softap {

class QtApSheet : public SheetPort {
 public:
  using Factory = std::function<CTsPropSheet*()>;
  explicit QtApSheet(Factory create) : create_(std::move(create)) {}
  ~QtApSheet() override;

  bool IsOpen() const override;
  void Create() override;
  void BringToForeground() override;
  void Close() override;
  void SetIcon(uint32_t icon) override;
  void UpdateHtPage(bool show) override;
  void RecheckPages() override {}

  CTsPropSheet* Sheet() const { return sheet_; }

 private:
  Factory create_;
  QPointer<CTsPropSheet> sheet_;
};

class QtApMessages : public ApMessagePort {
 public:
  explicit QtApMessages(const HostiraStrings& strings) : strings_(strings) {}
  void ShowMessage(std::string_view text, bool error) override;

 private:
  const HostiraStrings& strings_;
};

}  // namespace kavo9::softap
