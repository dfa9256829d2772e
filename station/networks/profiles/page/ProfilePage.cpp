#include "station/networks/profiles/page/ProfilePage.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "station/networks/ChannelFrequency.h"
#include "station/networks/profiles/editor/SystemConfig.h"

namespace kavo9::profilepage {
namespace {

// NDIS_802_11_CONFIGURATION: 32 bytes, DSConfig (kHz) at byte 12.
constexpr uint32_t kConfigurationBytes = 32;
constexpr size_t kDsConfigOffset = 12;
constexpr uint32_t kSsidRecordBytes = 36;

std::string NumberText(const profiles::ProfileValues& stored, const char* name) {
  return stored.Has(name) ? std::to_string(stored.Number(name, 0)) : std::string();
}

std::string_view LeapCipherName(long cipher) {
  switch (cipher) {
    case 0:
      return "WEP";
    case 1:
      return "WPA-TKIP";
    case 2:
      return "WPA2-AES";
    default:
      return "";
  }
}

}  // namespace

std::array<std::string, kDetailCount> ProfileDetailTexts(const std::string& name,
                                                         const profiles::ProfileValues& stored,
                                                         bool supplicantAvailable,
                                                         const std::string& autoText) {
  std::array<std::string, kDetailCount> t;
  t[kDetailName] = name;
  t[kDetailSsid] = stored.Text("SSID");
  t[kDetailChannel] = NumberText(stored, "Channel");
  const bool use8021X = stored.Number("Use8021X", 0) != 0;
  if (stored.Has("Use8021X")) t[kDetailUse8021X] = use8021X ? "YES" : "NO";
  const bool leap = stored.Number("LeapEnabled", 0) != 0;
  if (stored.Has("AuthenType")) {
    t[kDetailAuthentication] = profiles::AuthenticationText(stored.Number("AuthenType", 0), leap,
                                                            use8021X, supplicantAvailable);
  }
  if (leap && stored.Number("AuthenType", 0) == 0) {
    if (stored.Has("LeapEncryType")) {
      t[kDetailEncryption] = LeapCipherName(stored.Number("LeapEncryType", 0));
    }
  } else if (stored.Has("Encryption")) {
    t[kDetailEncryption] = profiles::EncryptionName(stored.Number("Encryption", 1));
  }
  if (stored.Has("NetworkType")) {
    const long type = stored.Number("NetworkType", 1);
    t[kDetailNetworkType] = profiles::NetworkTypeName(type);
    if (type == 1) t[kDetailChannel] = autoText;
  }
  if (stored.Has("ProfilePSMode")) {
    t[kDetailPowerSave] = stored.Number("ProfilePSMode", 0) != 0 ? "PSM" : "CAM";
  }
  if (stored.Has("TXPower")) {
    t[kDetailTxPower] = profileeditor::TxPowerText(int(stored.Number("TXPower", 0)));
  }
  t[kDetailRts] = NumberText(stored, "RtsThresh");
  t[kDetailFrag] = NumberText(stored, "FragThresh");
  return t;
}

std::string ProfileButtonTip(int control, ProfileBlock block) {
  switch (block) {
    case ProfileBlock::kNone:
      break;
    case ProfileBlock::kNotPermitted:
      return "Only an administrator may change profiles: the settings file does not allow "
             "standard users to.";
    case ProfileBlock::kNoProfiles:
      return "There is no profile yet: add one first.";
    case ProfileBlock::kNoSelection:
      return "Select a profile in the list first.";
    case ProfileBlock::kServiceManages:
      return "The Windows wireless service manages this adapter.";
    case ProfileBlock::kRadioOff:
      return "The radio is off: switch it on first.";
    case ProfileBlock::kNeedsSupplicant:
      return "This profile needs WPA, LEAP or 802.1X, and the supplicant that provides them is "
             "not available.";
  }
  switch (control) {
    case kAdd:
      return "Add a new profile.";
    case kEdit:
      return "Edit the selected profile.";
    case kDelete:
      return "Delete the selected profile.";
    default:
      return "Connect with the selected profile.";
  }
}

std::string ProfilePage::CellText(const profiles::ProfileRow& row, int column) {
  if (column == kColumnName) return row.Name;
  if (column == kColumnSsid) return row.Ssid;
  return {};
}

// ---- The list and its details --------------------------------------------------------------

void ProfilePage::RefreshProfileList() {
  const std::string selectedName = selected_ >= 0 ? rows_[size_t(selected_)].Name : "";
  rows_ = p_.store.ListProfiles(p_.station.MaySetProfiles());
  const auto at = std::find_if(rows_.begin(), rows_.end(), [&](const profiles::ProfileRow& r) {
    return !selectedName.empty() && r.Name == selectedName;
  });
  selected_ = at == rows_.end() ? -1 : int(at - rows_.begin());
  RefreshDetails();
}

void ProfilePage::OnSelect(int row) {
  selected_ = row >= 0 && size_t(row) < rows_.size() ? row : -1;
  RefreshDetails();
}

int ProfilePage::TargetRow() const {
  if (selected_ >= 0) return selected_;
  return rows_.size() == 1 ? 0 : -1;
}

bool ProfilePage::NeedsSupplicant(const std::string& name) const {
  profiles::ProfileValues stored;
  if (!p_.store.ReadProfile(name, &stored)) return false;
  const long auth = stored.Number("AuthenType", 0);
  const bool leap = stored.Number("LeapEnabled", 0) != 0 && auth == 0;
  return stored.Number("Use8021X", 0) != 0 || leap || auth == 4 || auth == 7;
}

void ProfilePage::RefreshDetails() {
  details_ = {};
  if (p_.station.MaySetProfiles()) p_.store.SetActiveName(p_.store.CurrentProfileName());
  const int target = TargetRow();
  targetNeedsSupplicant_ = target >= 0 && NeedsSupplicant(rows_[size_t(target)].Name);
  if (selected_ < 0) return;
  const std::string& name = rows_[size_t(selected_)].Name;
  profiles::ProfileValues stored;
  if (!p_.store.ReadProfile(name, &stored)) return;
  details_ =
      ProfileDetailTexts(name, stored, p_.station.SupplicantAvailable(), p_.texts.Text("IDS_AUTO"));
}

ProfileButtons ProfilePage::Buttons() const {
  ProfileButtons b;
  const bool maySet = p_.station.MaySetProfiles();
  const bool service = p_.station.ServiceManagesAdapter();
  const bool radioOn = p_.station.RadioOn();
  if (!maySet) {
    b.add = ProfileBlock::kNotPermitted;
  } else if (service) {
    b.add = ProfileBlock::kServiceManages;
  } else if (!radioOn) {
    b.add = ProfileBlock::kRadioOff;
  }
  const ProfileBlock target = rows_.empty()     ? ProfileBlock::kNoProfiles
                              : TargetRow() < 0 ? ProfileBlock::kNoSelection
                                                : ProfileBlock::kNone;
  b.edit = b.remove = target != ProfileBlock::kNone ? target
                      : maySet                      ? ProfileBlock::kNone
                                                    : ProfileBlock::kNotPermitted;
  if (target != ProfileBlock::kNone) {
    b.apply = target;
  } else if (service) {
    b.apply = ProfileBlock::kServiceManages;
  } else if (!radioOn) {
    b.apply = ProfileBlock::kRadioOff;
  } else if (!p_.station.SupplicantAvailable() && !maySet && targetNeedsSupplicant_) {
    b.apply = ProfileBlock::kNeedsSupplicant;
  }
  return b;
}

// ---- The active row's mark -----------------------------------------------------------------

void ProfilePage::Mark(int row, int state) {
  for (profiles::ProfileRow& r : rows_) r.State = -1;
  rows_[size_t(row)].State = state;
}

std::optional<int> ProfilePage::ActiveMark(const profiles::ProfileRow& row) {
  uint32_t status = 0;
  std::array<uint8_t, 6> bssid{};
  QueryValue(p_.driver, OID_GEN_MEDIA_CONNECT_STATUS, &status);
  QueryValue(p_.driver, OID_802_11_BSSID, &bssid);
  const bool connected = status == kMediaConnected &&
                         std::any_of(bssid.begin(), bssid.end(), [](uint8_t b) { return b; });
  if (!connected || !p_.connection.ProfileMode()) return 1;

  std::array<uint8_t, kSsidRecordBytes> ssid{};
  p_.driver.QueryInformation(OID_802_11_SSID, ssid.data(), kSsidRecordBytes, nullptr);
  uint32_t length = 0;
  std::memcpy(&length, ssid.data(), 4);
  const std::string current(reinterpret_cast<const char*>(ssid.data() + 4),
                            std::min<uint32_t>(length, 32));
  if (!row.Ssid.empty() && row.Ssid != current) return 1;
  const std::optional<uint32_t> infraMode = p_.connection.LastRecordInfraMode();
  if (!infraMode) return std::nullopt;
  if (*infraMode == Ndis802_11Infrastructure) return 0;

  // Ad hoc: connected through the profile only on the channel it names.
  profiles::ProfileValues stored;
  p_.store.ReadProfile(p_.store.CurrentProfileName(), &stored);
  std::array<uint8_t, kConfigurationBytes> config{};
  p_.driver.QueryInformation(OID_802_11_CONFIGURATION, config.data(), kConfigurationBytes, nullptr);
  uint32_t khz = 0;
  std::memcpy(&khz, config.data() + kDsConfigOffset, 4);
  const int32_t channel = ChannelFromFrequency(khz);
  return channel > 0 && stored.Has("Channel") && std::to_string(channel) == stored.Text("Channel")
             ? 0
             : 1;
}

void ProfilePage::OnTick() {
  const auto active = std::find_if(rows_.begin(), rows_.end(), [&](const profiles::ProfileRow& r) {
    return p_.store.IsActiveProfile(r.Name);
  });
  if (active == rows_.end()) return;
  const int row = int(active - rows_.begin());
  if (const std::optional<int> mark = ActiveMark(*active)) Mark(row, *mark);
}

// ---- The buttons ---------------------------------------------------------------------------

void ProfilePage::OnAdd() {
  if (Buttons().add != ProfileBlock::kNone) return;
  p_.host.OpenNewProfile();
}

void ProfilePage::OnEdit() {
  const int target = TargetRow();
  if (target < 0) {
    p_.host.ShowMessage(LangKey::IDS_NOSELECTEDITEM);
    return;
  }
  if (!p_.station.MaySetProfiles()) return;
  // A profile that is gone since the list was read: the list shows the store as it is now.
  if (!p_.host.OpenExistingProfile(rows_[size_t(target)].Name)) RefreshProfileList();
}

void ProfilePage::OnDelete() {
  const int target = TargetRow();
  if (target < 0) {
    p_.host.ShowMessage(LangKey::IDS_NOSELECTEDITEM);
    return;
  }
  if (!p_.station.MaySetProfiles()) return;
  const std::string name = rows_[size_t(target)].Name;
  if (p_.host.EditorShowing()) p_.host.HideEditor();
  if (p_.store.IsActiveProfile(name) && p_.connection.ProfileMode()) {
    if (!p_.host.Confirm(LangKey::IDS_DELCURRENTPROF)) return;
    p_.store.ClearActiveCopy();
    p_.store.SetActiveName("");
    p_.connection.ReleaseActiveProfile(!p_.connection.WpsInUse());
  }
  p_.store.DeleteProfile(name);
  selected_ = -1;
  RefreshProfileList();
  if (!rows_.empty()) selected_ = std::min(target, int(rows_.size()) - 1);
  RefreshDetails();
}

void ProfilePage::OnApply() {
  if (Buttons().apply != ProfileBlock::kNone) {
    if (TargetRow() < 0 && !rows_.empty()) p_.host.ShowMessage(LangKey::IDS_NOSELECTEDITEM);
    return;
  }
  if (p_.connection.ActivateProfile(rows_, selected_)) OnTick();
}

}  // namespace kavo9::profilepage
