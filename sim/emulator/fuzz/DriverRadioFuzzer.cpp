// Feeds arbitrary request codes and values to the driver-side radio settings: no input may crash
// them, and what they answer afterwards must still fit the caller's buffer.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "sim/emulator/radio/DriverRadio.h"

using namespace kavo9;
using namespace kavo9::emu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static const uint32_t kCodes[] = {OID_VND_WIRELESS_MODE,    OID_VND_COUNTRY_REGION,
                                    OID_VND_HT_PHY_MODE,      OID_VND_HT_OPTIONS,
                                    OID_802_11_DESIRED_RATES, OID_VND_RATE_SET};
  const int chip = data[0] % 11;
  DriverRadio radio(chip, {bool(data[1] & 1), bool(data[1] & 2)}, uint32_t(data[2]) << 7);
  data += 3;
  size -= 3;
  // Records: code index, length, value bytes.
  while (size >= 2) {
    const uint32_t code = kCodes[data[0] % std::size(kCodes)];
    size_t length = data[1] % 32;
    data += 2;
    size -= 2;
    if (length > size) length = size;
    radio.Set(code | kSetBit, {data, length});
    std::vector<uint8_t> out(length);
    uint32_t written = 0;
    radio.Query(code, out, &written);
    if (written > out.size()) __builtin_trap();
    data += length;
    size -= length;
  }
  PeerRadio peer{.channel = int(radio.regionWord() % 200),
                 .rates = {2, 4, 108},
                 .ht = true,
                 .width40 = true,
                 .maxMcs = 15};
  radio.TxRateWord(peer);
  radio.TxRate500k(peer);
  radio.ScanChannels();
  return 0;
}
