#pragma once
// The producers of connect records: a network chosen on the site survey (with what the security
// editor collected) and the active profile. Both fill every field the connect steps read; neither
// touches the driver or the queue except the few reads the profile's radio settings need.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/adapter/DriverPort.h"
#include "radio/RadioState.h"
#include "station/networks/connect/ConnectRecord.h"
#include "station/networks/profiles/ProfileValues.h"
#include "station/networks/survey/SurveySelection.h"

namespace kavo9::connect {

// What the security editor collected for a survey connection. An open network uses the defaults.
struct SecurityChoices {
  enum class Method { kOpen, kShared, kWpa, kWpa2, kWpaPsk, kWpa2Psk, kWpaNone, kLeap };
  enum class Cipher { kNone, kTkip, kAes };
  Method method = Method::kOpen;
  Cipher cipher = Cipher::kNone;
  bool wep = false;
  std::array<std::string, 4> wepKeys;  // the key bytes; empty for a key not set
  int defaultKey = 0;                  // 0..3
  std::string passPhrase;
  bool use8021X = false;
  std::string leapUserName;
  std::string leapPassword;
  std::string leapDomain;
  // The 802.1X page's choices, taken when the connection uses 802.1X.
  dot1x::Dot1xSettings dot1x;
};

struct SurveyEnvironment {
  uint32_t psMode = 0;  // the adapter key's "PSMode"
  bool supplicantAvailable = false;
};

// The record of a survey connection.
ConnectRecord BuildFromSurvey(const SurveySelection& selection, const SecurityChoices& choices,
                              const SurveyEnvironment& env);

// What the active profile's record needs beside the profile's values.
struct ProfileEnvironment {
  bool supplicantAvailable = false;
  bool htAdapter = false;
  uint16_t driverVersion = 0;
  radio::AdapterBands bands;
  // A number of the adapter key (the advanced page's radio values, "CCX2Control"); nullopt when
  // missing.
  std::function<std::optional<long>(const char*)> adapterNumber;
};

// The record of the active profile; `fullApply` carries the radio settings too. With fullApply the
// station options are read from the driver, the HT word is sent at once on an 802.11n adapter,
// and the ad hoc OFDM code is returned in `*adhocOfdm` for the caller to write back.
ConnectRecord BuildFromProfile(const profiles::ProfileValues& values, bool fullApply,
                               const ProfileEnvironment& env, DriverPort& driver,
                               std::optional<int>* adhocOfdm);

// The WEP key buffer of slot `i` (bit 31 on the default key).
NdisKey MakeWepKey(uint32_t slot, bool transmit, std::span<const uint8_t> material);

}  // namespace kavo9::connect
