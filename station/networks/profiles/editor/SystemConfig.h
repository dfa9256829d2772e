#pragma once
// The system tab's logic: the profile's name and network, its power saving, transmit power,
// preamble, ad hoc channel and thresholds; which controls are shown and enabled; the linked
// threshold sliders and edits. It loads a stored profile's system values and gives them back in
// stored form.

#include <string>
#include <vector>

#include "station/networks/profiles/ProfileValues.h"

namespace kavo9::profileeditor {

inline constexpr int kRtsMin = 0;
inline constexpr int kRtsMax = 2347;
inline constexpr int kFragMin = 256;
inline constexpr int kFragMax = 2346;
inline constexpr int kTxPowerCount = 7;
enum Preamble : int { kPreambleAuto = 0, kPreambleLong = 1 };
enum PowerSave : int { kCam = 0, kPsm = 1 };
// An SSID is at most 32 octets.
inline constexpr size_t kMaxSsid = 32;

// The menu texts.
std::string_view TxPowerText(int index);  // "Auto", "100%", "75 %" ... "Lowest"
std::string_view PreambleText(int preamble);

struct SystemConfigValues {
  std::string name;
  std::string ssid;
  std::vector<std::string> ssidChoices;  // the networks in range
  int powerSave = kCam;
  bool infrastructure = true;
  int txPower = 0;
  int preamble = kPreambleAuto;
  std::vector<int> channels;  // the ad hoc channel list
  std::string channel;        // the chosen channel's text
  bool useRts = false;
  int rts = kRtsMax;
  bool useFrag = false;
  int frag = kFragMax;
  int acPowerCam = 0;  // carried, not shown
  int adhocCode = 0;   // carried, not shown: the driver's ad hoc code the channels follow
  bool operator==(const SystemConfigValues&) const = default;
};

struct SystemConfigView {
  bool channelShown = false;
  bool powerSaveEnabled = true;
  bool preambleEnabled = false;
  bool rtsEnabled = false;
  bool fragEnabled = false;
  bool operator==(const SystemConfigView&) const = default;
};

class SystemConfig {
 public:
  // A new profile's values: infrastructure, Auto power and preamble, thresholds off.
  void Reset(std::string name, int powerSave);
  // The system values of a stored profile; a missing value keeps the current one.
  void Load(const profiles::ProfileValues& stored);
  void Save(profiles::ProfileValues* stored) const;

  void SetName(std::string name) { v_.name = std::move(name); }
  // Keeps at most 32 octets (never a partial character).
  void SetSsid(std::string ssid);
  void SetSsidChoices(std::vector<std::string> ssids);
  void SetPowerSave(int mode);
  void SetNetworkType(bool infrastructure);
  void SetTxPower(int index);
  void SetPreamble(int preamble);
  void SetAdhocCode(int code) { v_.adhocCode = code; }
  // The allowed ad hoc channels: every one but 34, 38, 42 and 46; the current channel stays
  // chosen when it is in the list, otherwise the first one is.
  void SetChannels(const std::vector<int>& allowed);
  void ChooseChannel(const std::string& text);
  void SetChannelText(std::string text) { v_.channel = std::move(text); }

  // The threshold boxes: clearing one puts the largest value back.
  void SetUseRts(bool on);
  void SetUseFrag(bool on);
  // Typing into a threshold edit moves its slider; returns the edit's text, corrected when the
  // value was above the range (a fragmentation value below it only puts the slider at 256).
  std::string TypeRts(const std::string& text);
  std::string TypeFrag(const std::string& text);
  // Moving a slider (the edit shows its position).
  void SlideRts(int position);
  void SlideFrag(int position);

  const SystemConfigValues& Values() const { return v_; }
  SystemConfigView View() const;

 private:
  SystemConfigValues v_;
};

}  // namespace kavo9::profileeditor
