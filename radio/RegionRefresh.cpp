#include "radio/RegionRefresh.h"

#include <algorithm>
#include <array>

#include "common/adapter/RequestCatalogue.h"
#include "radio/vocabulary/Bytes.h"

namespace kavo9::radio {

RegionRefreshResult RefreshCountryRegion(RadioState& state, DriverPort& driver,
                                         RadioStorePort& store) {
  RegionRefreshResult result;
  std::array<uint8_t, 4> word{};
  driver.QueryInformation(OID_VND_COUNTRY_REGION, word.data(), uint32_t(word.size()), nullptr);
  state.region = DecodeCountryRegion(ReadLe32(word, 0));

  if (!store.CanOpen(RadioKey::kAdapter, false)) return result;
  result.keyOpened = true;
  long mode = state.wirelessMode;
  ReadNumber(store, RadioKey::kAdapter, "WirelessMode", &mode);
  state.wirelessMode = NormaliseWirelessMode(int(mode), state.bands);

  result.allowed = BuildAllowedChannels({.regionWord = state.region.word,
                                         .chipKind = state.chipKind,
                                         .infrastructure = true,
                                         .wirelessMode = state.wirelessMode});
  // With no channel allowed at all there is nothing better to store; leave the value alone.
  if (result.allowed.empty()) return result;
  long channel = 0;
  bool stored = ReadNumber(store, RadioKey::kAdapter, "Channel", &channel);
  if (stored &&
      std::find(result.allowed.begin(), result.allowed.end(), channel) != result.allowed.end()) {
    return result;
  }
  result.correctedChannel = result.allowed.front();
  WriteDecimal(store, RadioKey::kAdapter, "Channel", *result.correctedChannel);
  WriteDecimal(store, RadioKey::kAdapterDefault, "Channel", *result.correctedChannel);
  return result;
}

namespace {

// One EEPROM word read through the register access record; nullopt when the read fails.
std::optional<uint16_t> ReadEepromWord(DriverPort& driver, uint32_t offset) {
  std::array<uint8_t, 12> record{};
  WriteLe32(record, 0, kEepromRegisterType);
  WriteLe32(record, 4, offset);
  if (!driver.QueryInformation(OID_VND_REGISTER_ACCESS, record.data(), uint32_t(record.size()),
                               nullptr)) {
    return std::nullopt;
  }
  return uint16_t(ReadLe32(record, 8));
}

}  // namespace

void ReadBw40Permissions(RadioState& state, DriverPort& driver) {
  if (!state.bands.ht) return;
  if (auto value = ReadEepromWord(driver, kBw40EepromOffset))
    TakeBw40Eeprom24G(*value, &state.bw40);
  if (auto value = ReadEepromWord(driver, kBw40EepromOffset)) TakeBw40Eeprom5G(*value, &state.bw40);
}

}  // namespace kavo9::radio
