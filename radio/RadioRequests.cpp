#include "radio/RadioRequests.h"

#include "common/adapter/RequestCatalogue.h"
#include "radio/ht/HtSetting.h"
#include "radio/vocabulary/Rates.h"

namespace kavo9::radio {

namespace {
constexpr uint32_t kWidth40Bit = 1u << 11;
}  // namespace

uint32_t SendHtSettingWord(DriverPort& driver, uint32_t word, bool onChannel14) {
  if (onChannel14) word &= ~kWidth40Bit;
  HtPhyRecord record{};
  driver.QueryInformation(OID_VND_HT_PHY_MODE, record.data(), kHtPhyRecordSize, nullptr);
  OverlayHtPhyRecord(word, &record);
  driver.SetInformation(OID_VND_HT_PHY_MODE, record.data(), kHtPhyRecordSize, kSetAttempts);
  return word;
}

void SendRates(DriverPort& driver, int wirelessMode, int transRate, bool mcsAuto) {
  const DesiredRates rates = DesiredRatesFor(wirelessMode, transRate, mcsAuto);
  driver.SetInformation(OID_802_11_DESIRED_RATES, rates.data(), uint32_t(rates.size()),
                        kSetAttempts);
  if (auto rateSet = RateSetFor(wirelessMode)) {
    driver.SetInformation(OID_VND_RATE_SET, rateSet->data(), kRateSetSize, kSetAttempts);
  }
}

}  // namespace kavo9::radio
