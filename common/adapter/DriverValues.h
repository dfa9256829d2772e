#pragma once
// Values that cross the driver interface beside the request codes of RequestCatalogue.h: what a
// query answers or a set carries, named once for the programs and the simulated driver alike.
// The standard 802.11 enumerations keep their public NDIS numbers.

#include <cstdint>

namespace kavo9 {

// OID_GEN_MEDIA_CONNECT_STATUS.
enum MediaStatus : uint32_t {
  kMediaConnected = 0,
  kMediaDisconnected = 1,
};

// OID_VND_LINK_STATE: the driver's connection state, 0 to 10.
enum LinkState : uint32_t {
  kLinkUp = 0,
  kLinkDown = 1,
  kLinkHardwareRadioOff = 2,
  kLinkSoftwareRadioOff = 3,
  kLinkOpenAuthFailed = 4,
  kLinkSharedAuthFailed = 5,
  kLinkAssociationFailed = 6,
  kLinkMicFailureDeauth = 7,
  kLinkFourWayTimeout = 8,
  kLinkGroupKeyTimeout = 9,
  kLinkEapSucceeded = 10,
};
inline constexpr uint32_t kLinkStateCount = 11;

// OID_VND_OP_MODE and the adapter value OpMode.
enum OpMode : uint32_t {
  kOpModeStation = 0,
  kOpModeAccessPoint = 1,
};

// OID_VND_RADIO: the radio switch; any value but 0 switches it on.
enum RadioSwitch : uint32_t {
  kRadioOff = 0,
  kRadioOn = 1,
};

// OID_802_11_INFRASTRUCTURE_MODE (NDIS_802_11_NETWORK_INFRASTRUCTURE).
enum InfrastructureMode : uint32_t {
  Ndis802_11IBSS = 0,
  Ndis802_11Infrastructure = 1,
  Ndis802_11AutoUnknown = 2,
};

// OID_802_11_AUTHENTICATION_MODE (NDIS_802_11_AUTHENTICATION_MODE).
enum AuthenticationMode : uint32_t {
  Ndis802_11AuthModeOpen = 0,
  Ndis802_11AuthModeShared = 1,
  Ndis802_11AuthModeAutoSwitch = 2,
  Ndis802_11AuthModeWPA = 3,
  Ndis802_11AuthModeWPAPSK = 4,
  Ndis802_11AuthModeWPANone = 5,
  Ndis802_11AuthModeWPA2 = 6,
  Ndis802_11AuthModeWPA2PSK = 7,
};

// OID_802_11_ENCRYPTION_STATUS (NDIS_802_11_ENCRYPTION_STATUS): WEP is "Encryption1", TKIP
// "Encryption2", AES "Encryption3". The key-absent statuses say the cipher is set but its key is
// not installed yet.
enum EncryptionStatus : uint32_t {
  Ndis802_11Encryption1Enabled = 0,
  Ndis802_11EncryptionDisabled = 1,
  Ndis802_11Encryption1KeyAbsent = 2,
  Ndis802_11EncryptionNotSupported = 3,
  Ndis802_11Encryption2Enabled = 4,
  Ndis802_11Encryption2KeyAbsent = 5,
  Ndis802_11Encryption3Enabled = 6,
  Ndis802_11Encryption3KeyAbsent = 7,
};

// OID_802_11_NETWORK_TYPES_SUPPORTED and the BSS records' NetworkTypeInUse.
enum NetworkType : uint32_t {
  Ndis802_11FH = 0,
  Ndis802_11DS = 1,
  Ndis802_11OFDM5 = 2,
  Ndis802_11OFDM24 = 3,
};

// Bit 0 of OID_VND_MESSAGE_FLAGS: the driver suspects a wrong WEP key (associated with open
// authentication, yet nothing it receives decrypts).
inline constexpr uint32_t kMessageFlagKeyError = 1;

// OID_VND_SNR0 and OID_VND_SNR1 answer this while the driver has no measurement.
inline constexpr uint32_t kSnrNotAvailable = 44;
// OID_VND_NOISE_LEVEL is the noise in dBm raised by this offset.
inline constexpr int32_t kNoiseLevelOffset = 143;

// NDIS_802_11_KEY KeyIndex: bits 0-7 the key slot, bit 31 set for the transmit key.
inline constexpr uint32_t kKeyIndexSlotMask = 0xFF;
inline constexpr uint32_t kKeyIndexTransmit = 0x80000000;

// OID_VND_REGISTER_ACCESS record types.
enum RegisterType : uint32_t {
  kRegisterMac = 0,
  kRegisterBbp = 1,
  kRegisterRf = 2,
  kRegisterEeprom = 3,
};
// EEPROM word 54 (0x36): bit 8 set forbids 40 MHz on 2.4 GHz, bit 9 on 5 GHz.
inline constexpr uint32_t kEepromHtCapabilityWord = 54;
inline constexpr uint16_t kEepromNo40MHz24G = 0x100;
inline constexpr uint16_t kEepromNo40MHz5G = 0x200;

}  // namespace kavo9
