#include "apps/Stavio/wiring/StationConnect.h"

#include "station/shell/controller/CHideDlg.h"

namespace kavo9 {

StationConnect::StationConnect(const StationConnectParts& p)
    : texts_(p.texts),
      adapterRadio_(p.adapterRadio),
      profiles_({p.adapter, *p.platform.registry, p.store, p.texts, *this}),
      steps_({p.driver, *p.platform.loop, p.adapter, *p.platform.registry, p.radio, p.supplicant,
              p.supplicantConnect, p.ccx, p.wps, *this}),
      connector_({p.driver, *p.platform.registry, p.store, p.settings, p.state, p.adapter, p.radio,
                  profiles_, queue_, p.supplicant, p.wps, *this}) {}

void StationConnect::ArmKeyErrorWatch() {
  if (controller_) controller_->ArmKeyErrorMonitor();
}

void StationConnect::StopKeyErrorWatch() {
  if (controller_) controller_->DisarmKeyErrorMonitor();
}

bool StationConnect::KeyErrorWatchArmed() const {
  return controller_ && controller_->keyErrorMonitorArmed();
}

void StationConnect::StartAuthentication(bool withStatusView, bool showStatus) {
  if (controller_) controller_->StartAuthentication(withStatusView, showStatus);
}

void StationConnect::PublishLastConnectRecord(std::optional<ConnectRecordSummary> record,
                                              bool supplicantAvailable) {
  if (controller_) controller_->PublishLastConnectRecord(record, supplicantAvailable);
}

void StationConnect::ShowMessage(LangKey key) {
  ShowMessage(std::string_view(texts_.Text(LangKeyName(key))));
}

void StationConnect::ShowMessage(std::string_view text) {
  if (show_) show_(text);
}

}  // namespace kavo9
