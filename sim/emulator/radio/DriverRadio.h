#pragma once
// The radio settings as the driver keeps them: the wireless mode, the country region word, the
// HT PHY record and the HT options record, the desired rates and the rate set. It answers their
// requests as the driver does and derives from them the channels the adapter scans and the rates
// it reports for a link. Its tables are the driver's own (DriverTables.h).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/emulator/radio/DriverTables.h"

namespace kavo9::emu {

// What the other end of a link offers.
struct PeerRadio {
  int channel = 1;
  std::vector<uint8_t> rates;  // units of 500 kbit/s; bit 7 (basic) is ignored
  bool ht = false;
  bool width40 = false;
  int maxMcs = 7;  // highest MCS it takes: 7 with one stream, 15 with two
};

class DriverRadio {
 public:
  // `regionWord` may carry the fixed bits; a fixed region cannot be changed by a set.
  DriverRadio(int chipKind, RadioCaps caps, uint32_t regionWord);

  // The codes kept here, for the emulator's dispatch table.
  static std::span<const uint32_t> Codes();

  // A query or set of one of the codes kept here: a Win32 result (0 for success), or nullopt
  // when the code is not a radio setting. A query fills `out` and sets `*written` (optional).
  std::optional<int32_t> Query(uint32_t oid, std::span<uint8_t> out, uint32_t* written) const;
  std::optional<int32_t> Set(uint32_t oid, std::span<const uint8_t> in);

  // Settings read from the adapter key when the driver starts (values out of range are ignored).
  // Load the wireless mode first: the HT PHY record reports it.
  void LoadWirelessMode(long mode);
  void LoadRegions(long region24, long region5);
  // The HT setting word (`TransmitSetting`) into the HT PHY record. False, with the record left
  // as it was, on an adapter without 802.11n or for a word the utilities would not write (PHY
  // mode other than 2, an MCS the driver lacks).
  bool LoadTransmitSetting(uint32_t word);

  int wirelessMode() const { return wirelessMode_; }
  uint32_t regionWord() const { return regionWord_; }
  const HtPhyBytes& htPhy() const { return htPhy_; }
  const std::array<uint8_t, 8>& htOptions() const { return htOptions_; }
  // Whether the current mode scans the 5 GHz band.
  bool Uses5G() const;

  // The channels a scan visits, and whether a network on `channel` can be joined.
  std::vector<int> ScanChannels() const;
  bool ChannelAllowed(int channel) const;

  // The transmit rate word (MCS or legacy index, width, guard interval, STBC, PHY mode) and the
  // legacy transmit rate in units of 500 kbit/s, for a link with `peer`.
  uint16_t TxRateWord(const PeerRadio& peer) const;
  uint32_t TxRate500k(const PeerRadio& peer) const;

 private:
  bool ModeSupported(int mode) const;
  bool HtLink(const PeerRadio& peer) const;
  uint8_t BestLegacyRate(const PeerRadio& peer) const;

  int chipKind_;
  RadioCaps caps_;
  uint32_t regionWord_;  // with the fixed bits
  int wirelessMode_;
  HtPhyBytes htPhy_{};
  std::array<uint8_t, 8> htOptions_{0, 0, 1, 0, 0, 0, 3, 1};
  std::array<uint8_t, kDesiredRateBytes> desired_{};
  std::array<uint8_t, kRateSetBytes> rateSet_{};
};

}  // namespace kavo9::emu
