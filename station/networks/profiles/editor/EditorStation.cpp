#include "station/networks/profiles/editor/EditorStation.h"

#include <array>

#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AdapterKey.h"
#include "radio/vocabulary/Channels.h"
#include "radio/vocabulary/StaConfig.h"
#include "station/networks/BssRecord.h"

namespace kavo9::profileeditor {

std::vector<std::string> EditorStation::SurveySsids() {
  std::vector<std::string> ssids;
  for (const BssRecordView& record : survey_.Merged().View()) {
    const auto ssid = record.Ssid();
    ssids.emplace_back(ssid.begin(), ssid.end());
  }
  return ssids;
}

int EditorStation::AdapterPowerSave() {
  long value = 0;
  if (!ReadMachineNumber(registry_, adapter_.Identity().registryKey, "PSMode", &value)) return 0;
  return int(value);
}

int EditorStation::QueryAdhocCode() {
  std::array<uint8_t, radio::kStaConfigSize> bytes{};
  if (!QueryRecord(driver_, OID_VND_STA_CONFIG, bytes.data(), uint32_t(bytes.size()),
                   uint32_t(bytes.size()))) {
    return 0;
  }
  return int(radio::StaConfig::FromBytes(bytes).words[radio::StaConfig::kAdhocOfdm]);
}

std::vector<int> EditorStation::AdhocChannels(int adhocCode) {
  return radio::BuildAllowedChannels({.regionWord = radio_.region.word,
                                      .chipKind = radio_.chipKind,
                                      .infrastructure = false,
                                      .wirelessMode = radio_.wirelessMode,
                                      .adhocCode = adhocCode});
}

}  // namespace kavo9::profileeditor
