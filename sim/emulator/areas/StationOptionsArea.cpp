#include "sim/emulator/areas/StationOptionsArea.h"

#include <algorithm>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

enum Word : size_t {
  kTxBurst = 0,
  kTurboRate = 1,
  kBgProtection = 2,
  kShortSlot = 3,
  kAdhocOfdm = 4,
  kRadioWord = 5,  // answered from the radio switch, whatever was set
};

}  // namespace

std::span<const uint32_t> StationOptionsArea::Codes() const {
  static constexpr uint32_t kCodes[] = {OID_VND_STA_CONFIG};
  return kCodes;
}

void StationOptionsArea::Load() {
  words_ = {};
  words_[kTxBurst] = ctx_.Parameter("TXBurst").value_or(0);
  words_[kTurboRate] = ctx_.Parameter("TurboRate").value_or(0);
  words_[kBgProtection] = ctx_.Parameter("BGProtection").value_or(0);
  words_[kShortSlot] = ctx_.Parameter("ShortSlot").value_or(1);
  words_[kAdhocOfdm] = ctx_.Parameter("AdhocOfdm").value_or(1);
}

std::optional<int32_t> StationOptionsArea::Query(uint32_t code, std::span<uint8_t> out,
                                                 uint32_t* written) {
  if (code != OID_VND_STA_CONFIG) return std::nullopt;
  std::fill(out.begin(), out.end(), 0);
  for (size_t i = 0; i < words_.size(); ++i) PutLe32(out, 4 * i, words_[i]);
  PutLe32(out, 4 * kRadioWord, ctx_.radioOn && ctx_.hardwareRadioOn ? kRadioOn : kRadioOff);
  *written = uint32_t(out.size());
  return ERROR_SUCCESS;
}

std::optional<int32_t> StationOptionsArea::Set(uint32_t code, std::span<const uint8_t> value) {
  if (code != OID_VND_STA_CONFIG) return std::nullopt;
  for (size_t i = 0; i < words_.size(); ++i) words_[i] = GetLe32(value, 4 * i);
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
