#include "softap/apply/ApStartup.h"

#include <algorithm>

#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AdapterKey.h"
#include "common/shell/ModeHandOver.h"
#include "softap/record/ApCodes.h"
#include "softap/record/ApKeyReader.h"

namespace kavo9::softap {

std::string ApStartup::RecordPath() const {
  return SubkeyPath(state_.adapterKeyPath, kAccessPointValuesSubkey);
}

void ApStartup::TakeOverTxBurst() {
  const ApKeyReader record(registry_, RecordPath());
  const ApKeyReader adapter(registry_, state_.adapterKeyPath);
  if (record.Has("RunOnceInitConfigTxBurst")) return;
  auto mark = adapter.Text("RunOnceInitConfigTxBurst");
  if (!mark) return;
  const std::string burst = adapter.Text("TXBurst").value_or("0").substr(0, 3);
  StoreText(store_, RecordPath(), "TXBurst", burst);
  StoreText(store_, RecordPath(), "RunOnceInitConfigTxBurst", *mark);
}

bool ApStartup::EnsureAndCopy() {
  const ApKeyReader record(registry_, RecordPath());
  static constexpr std::pair<const char*, const char*> kAdded[] = {
      {"AllowBW40Capability", "1"}, {"CountryRegion", "0"}, {"CountryRegionABand", "0"}};
  for (const auto& [name, text] : kAdded) {
    if (!record.Has(name)) StoreText(store_, RecordPath(), name, text);
  }
  return LoadAccessPointValues(registry_, store_, state_.adapterKeyPath);
}

void ApStartup::ReadCountryRegion() {
  uint32_t word = 0;
  if (QueryValue(driver_, OID_VND_COUNTRY_REGION, &word)) state_.TakeRegionWord(word);
}

void ApStartup::CheckChannelForOlderChips() {
  ReadCountryRegion();
  const ApKeyReader adapter(registry_, state_.adapterKeyPath);
  state_.wirelessMode = NormaliseWirelessMode(adapter.NumberOr("WirelessMode", 0),
                                              state_.bandASupported, state_.htCapable);
  const uint32_t mode = state_.wirelessMode;
  const uint32_t code24 = state_.countryRegionWord & kRegionCodeBits;
  const uint32_t code5 = (state_.countryRegionWord >> kRegion5Shift) & kRegionCodeBits;
  std::vector<int> allowed;
  if (mode != kModeA) allowed = Channels24(code24);
  if (mode == kModeA || mode == kModeAbg || mode == kModeAn) {
    const auto five = Channels5(code5, state_.chipKind);
    allowed.insert(allowed.end(), five.begin(), five.end());
  }
  auto channel = adapter.Number("Channel");
  if (!allowed.empty() &&
      (!channel || std::find(allowed.begin(), allowed.end(), *channel) == allowed.end())) {
    const std::string first = std::to_string(allowed.front());
    StoreText(store_, state_.adapterKeyPath, "Channel", first);
    StoreText(store_, RecordPath(), "Channel", first);
  }
  if (state_.region24Editable) {
    StoreText(store_, state_.adapterKeyPath, "CountryRegion", std::to_string(code24));
  }
  if (state_.region5Editable) {
    StoreText(store_, state_.adapterKeyPath, "CountryRegionABand", std::to_string(code5));
  }
}

}  // namespace kavo9::softap
