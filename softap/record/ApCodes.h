#pragma once
// The codes the access-point record keeps and what they mean to the driver: wireless modes,
// authentication and encryption codes, transmit rates and power, channels and their frequencies,
// and the channels of each country region.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kavo9::softap {

// Wireless mode numbers as the access point uses them.
enum WirelessMode : uint32_t {
  kModeBg = 0,
  kModeB = 1,
  kModeA = 2,
  kModeAbg = 3,
  kModeN = 6,
  kModeAn = 8,
  kModeBgn = 9,
};
// What the adapter can run: an access point runs in mode 0, 2, 8 or 9.
uint32_t NormaliseWirelessMode(long stored, bool bandASupported, bool htCapable);

// Authentication codes (the driver's numbering, with the two combined WPA/WPA2 modes).
enum AuthCode : uint32_t {
  kAuthOpen = 0,
  kAuthShared = 1,
  kAuthAutoSwitch = 2,
  kAuthWpa = 3,
  kAuthWpaPsk = 4,
  kAuthWpaNone = 5,
  kAuthWpa2 = 6,
  kAuthWpa2Psk = 7,
  kAuthWpaWpa2 = 8,
  kAuthWpaPskWpa2Psk = 9,
};
// A stored 2, and anything outside 0-9, reads as open.
uint32_t ReadAuthCode(long stored);
// WPA/WPA2 with a RADIUS server (802.1X).
bool IsDot1xAuth(uint32_t auth);
// WPA-PSK, WPA2-PSK or both.
bool IsPskAuth(uint32_t auth);
// The codes with a group rekey: every WPA/WPA2 one but WPA-None.
bool HasRekey(uint32_t auth);

// Encryption codes (the driver's encryption-status numbering).
enum EncryptionCode : uint32_t {
  kEncWep = 0,
  kEncNone = 1,
  kEncTkip = 4,
  kEncAes = 6,
  kEncTkipAes = 8,
};
// Anything but 0, 1, 4, 6 or 8 reads as none.
uint32_t ReadEncryptionCode(long stored);
// The cipher the authentication allows: none or WEP with open and shared keys, TKIP unless AES or
// both are chosen with WPA/WPA2, whatever was chosen with WPA-None.
uint32_t CorrectEncryption(uint32_t encryption, uint32_t auth);

// OID_802_11_DESIRED_RATES: eight rates in units of 500 kbit/s, the rest 0. An index beyond the
// mode's table is automatic.
using RateList = std::array<uint8_t, 8>;
RateList DesiredRates(uint32_t mode, long index);

// The transmit-power index (0-4) as the percentage the driver takes; anything else is 100.
uint32_t TxPowerPercent(long index);

// The frequency of a channel in kHz (the Japanese channels J8, J12 and J16 are 208, 212 and 216);
// nullopt for a channel not in the table.
std::optional<uint32_t> ChannelFrequencyKhz(long channel);

// The channels of a 2.4 GHz region code, and of a 5 GHz one on a chip (the soft-AP utility's
// family index); a 5 GHz region the chip does not have gives no channels.
std::vector<int> Channels24(uint32_t region);
std::vector<int> Channels5(uint32_t region, int chipKind);

}  // namespace kavo9::softap
