#include "sim/emulator/EmulatorContext.h"

#include <strings.h>

#include <algorithm>
#include <charconv>

#include "common/adapter/ChipFamilies.h"
#include "common/adapter/DriverValues.h"

namespace kavo9::emu {
namespace {

// The driver's region word before the registry is read: the regions it fixes, with their bits.
uint32_t FixedRegionWord(const AdapterSpec& spec) {
  uint32_t word = 0;
  if (spec.fixedRegion24) word |= kRegion24FixedBit | (*spec.fixedRegion24 & kRegionCodeMask);
  if (spec.fixedRegion5) {
    word |= kRegion5FixedBit | (uint32_t(*spec.fixedRegion5 & kRegionCodeMask) << kRegion5Shift);
  }
  return word;
}

DriverRadio NewRadio(const AdapterSpec& spec, ChipProfile chip) {
  return DriverRadio(chip.chipKind, {.has5G = spec.band5, .ht = chip.ht}, FixedRegionWord(spec));
}

}  // namespace

// The station utility's code of a chip family names the channel tables of that chip; a family
// only the soft-AP utility knows gets the 802.11n tables.
ChipProfile ChipOf(const AdapterSpec& spec) {
  for (Utility utility : {Utility::kStation, Utility::kSoftAp}) {
    for (const ChipFamily& f : ChipFamilyTable(utility)) {
      if (f.name != spec.family) continue;
      return {utility == Utility::kStation ? f.code : ChipProfile{}.chipKind, f.ht};
    }
  }
  return {};
}

EmulatorContext::EmulatorContext(AdapterSpec adapter, const World& heard, Clock now)
    : spec(std::move(adapter)),
      world(heard),
      clock(std::move(now)),
      chip(ChipOf(spec)),
      radio(NewRadio(spec, chip)) {}

std::optional<uint32_t> EmulatorContext::Parameter(const char* name) const {
  for (const auto& [key, text] : parameters) {
    if (strcasecmp(key.c_str(), name) != 0) continue;
    // Decimal digits only, and no more than 32 bits: a sign, a space or an overflow would
    // otherwise read as some other number.
    uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
      return std::nullopt;
    }
    return value;
  }
  return std::nullopt;
}

void EmulatorContext::Load(const Parameters& values) {
  parameters = values;
  opMode = Parameter("OpMode").value_or(kOpModeStation) == kOpModeAccessPoint ? kOpModeAccessPoint
                                                                              : kOpModeStation;
  // The key keeps the utilities' meaning: "0" radio on, "1" radio off; missing means on.
  radioOn = Parameter("Radio").value_or(0) == 0;
  radio = NewRadio(spec, chip);
  // A value the key lacks (or that does not read as a number) leaves the driver's default.
  auto stored = [&](const char* name) {
    std::optional<uint32_t> v = Parameter(name);
    return v ? long(*v) : -1L;
  };
  radio.LoadRegions(stored("CountryRegion"), stored("CountryRegionABand"));
  radio.LoadWirelessMode(stored("WirelessMode"));
  // The 802.11n settings the utilities stored; without a usable word the driver's own stand.
  if (std::optional<uint32_t> word = Parameter("TransmitSetting")) radio.LoadTransmitSetting(*word);
  SetMessageFlags(0);
  connected = false;
}

bool EmulatorContext::Listening() const {
  return radioOn && hardwareRadioOn && opMode == kOpModeStation;
}

int EmulatorContext::Antennas() const {
  if (spec.antennas >= 1 && spec.antennas <= 3) return spec.antennas;
  return chip.ht ? 3 : 1;
}

std::vector<int> EmulatorContext::ScanChannels() const {
  std::vector<int> channels = radio.ScanChannels();
  // An adapter without a 2.4 GHz radio hears nothing there, whatever its mode says.
  if (!spec.band24) std::erase_if(channels, [](int c) { return c <= 14; });
  return channels;
}

bool EmulatorContext::InRange(const NetworkSpec& n, const std::vector<int>& channels) const {
  return n.signal >= kSensitivityDbm &&
         std::find(channels.begin(), channels.end(), n.channel) != channels.end();
}

JoinVerdict EmulatorContext::CheckJoin(const NetworkSpec& n) const {
  for (const JoinCheck& check : joinChecks_) {
    if (std::optional<JoinVerdict> verdict = check(n)) return *verdict;
  }
  if (!n.Privacy()) return {.admitted = true};
  return {};  // no area negotiates this security
}

void EmulatorContext::Associate(const NetworkSpec& n, bool keyError) {
  connected = true;
  network = n;
  portOpen = true;
  agreedPairwiseKey.clear();
  ++linkUps;
  if (keyError) SetMessageFlags(messageFlags | kMessageFlagKeyError);
}

void EmulatorContext::Disconnect() {
  connected = false;
  agreedPairwiseKey.clear();
  SetMessageFlags(messageFlags & ~kMessageFlagKeyError);
}

void EmulatorContext::SetMessageFlags(uint32_t flags) {
  if (flags == messageFlags) return;
  messageFlags = flags;
  ++messageFlagChanges;
}

}  // namespace kavo9::emu
