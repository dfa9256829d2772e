#include "station/shell/controller/ControllerContext.h"

#include "common/shell/AdapterKey.h"

namespace kavo9 {

bool ControllerContext::ReadAdapterText(std::string_view name, std::string* value) const {
  return ReadMachineText(*parts.platform.registry, AdapterKey(), name, value);
}

bool ControllerContext::WriteAdapterText(std::string_view name, std::string_view text) {
  if (AdapterKey().empty()) return false;
  return StoreText(parts.store, AdapterKey(), name, text) == ERROR_SUCCESS;
}

bool ControllerContext::SetDriverValue(uint32_t oid, uint32_t value, uint32_t length) {
  return SetValue32(parts.driver, oid, value, kSetAttempts, length);
}

void ControllerContext::ShowMessage(std::string_view key) {
  parts.mainWindow.ShowMessageBox("Kavo9", parts.language.Text(key), parts.language.Text("IDS_OK"));
}

void ControllerContext::RunQueueIfWindowAllows(bool queueSaysRun) {
  if (queueSaysRun && parts.mainWindow.IsOpen() &&
      !parts.mainWindow.IsPanelShown(mainwindow::kPasswordPanel)) {
    parts.actions.RunActionQueue();
  }
}

}  // namespace kavo9
