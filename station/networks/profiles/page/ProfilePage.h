#pragma once
// The profile page's logic: the profiles of the store with the active row's mark, the details of
// the selected profile, which buttons may be used (and why not), and what Add, Edit, Delete and
// Activate do. The page's window binds to it and holds no rule of its own.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/adapter/DriverPort.h"
#include "common/shell/TextPort.h"
#include "station/networks/profiles/ProfileStore.h"
#include "station/networks/profiles/page/ProfilePageIds.h"
#include "station/shell/LangKeys.h"

namespace kavo9::profilepage {

inline constexpr uint32_t kProfileTickMs = 3000;

// The station's state as the page needs it.
class ProfileStationPort {
 public:
  virtual ~ProfileStationPort() = default;
  // An administrator, or standard users may set profiles.
  virtual bool MaySetProfiles() const = 0;
  virtual bool SupplicantAvailable() const = 0;
  virtual bool ServiceManagesAdapter() const = 0;
  virtual bool RadioOn() const = 0;
};

// Connecting as the page uses it.
class ProfileConnectionPort {
 public:
  virtual ~ProfileConnectionPort() = default;
  // The connection was made by activating a profile.
  virtual bool ProfileMode() const = 0;
  // The network type of the last connect record; nullopt when there is none.
  virtual std::optional<uint32_t> LastRecordInfraMode() const = 0;
  // Activates the row (`selected` -1 for none); true when it became active.
  virtual bool ActivateProfile(const std::vector<profiles::ProfileRow>& rows, int selected) = 0;
  // The active profile is being deleted: profile mode ends; with `reconnect` the adapter joins
  // with the emptied active copy (it leaves the deleted profile's network).
  virtual void ReleaseActiveProfile(bool reconnect) = 0;
  virtual bool WpsInUse() const = 0;
};

// What the page hands over to its window and the editor.
class ProfilePageHostPort {
 public:
  virtual ~ProfilePageHostPort() = default;
  virtual void ShowMessage(LangKey key) = 0;
  // The message box; true when it was closed with its button.
  virtual bool Confirm(LangKey key) = 0;
  virtual bool EditorShowing() const = 0;
  virtual void HideEditor() = 0;
  // The editor prepared for a new profile, or for the named one, and shown.
  virtual void OpenNewProfile() = 0;
  // False when the profile could not be read.
  virtual bool OpenExistingProfile(std::string_view name) = 0;
};

struct ProfilePageParts {
  profiles::ProfileStore& store;
  const TextPort& texts;
  DriverPort& driver;
  ProfileStationPort& station;
  ProfileConnectionPort& connection;
  ProfilePageHostPort& host;
};

// Why a button is disabled (kNone: it is enabled).
enum class ProfileBlock {
  kNone,
  kNotPermitted,
  kNoProfiles,
  kNoSelection,
  kServiceManages,
  kRadioOff,
  kNeedsSupplicant
};
struct ProfileButtons {
  ProfileBlock add = ProfileBlock::kNone;
  ProfileBlock edit = ProfileBlock::kNone;
  ProfileBlock remove = ProfileBlock::kNone;
  ProfileBlock apply = ProfileBlock::kNone;
  bool operator==(const ProfileButtons&) const = default;
};
// The tooltip of a button: what it does, or why it is disabled.
std::string ProfileButtonTip(int control, ProfileBlock block);

class ProfilePage {
 public:
  explicit ProfilePage(const ProfilePageParts& parts) : p_(parts) {}

  void OnCreate() { RefreshProfileList(); }
  // Lists the store again; the selected profile stays selected when it is still there.
  void RefreshProfileList();
  // A click in the list: `row` is the selected row, or -1.
  void OnSelect(int row);
  // Every 3 seconds: the active row's mark.
  void OnTick();
  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnApply();

  const std::vector<profiles::ProfileRow>& Rows() const { return rows_; }
  int Selected() const { return selected_; }
  const std::array<std::string, kDetailCount>& Details() const { return details_; }
  ProfileButtons Buttons() const;
  // The texts of a row's columns (the marks are for the window to draw).
  static std::string CellText(const profiles::ProfileRow& row, int column);

 private:
  // The row the buttons act on: the selected one, or the only one.
  int TargetRow() const;
  bool NeedsSupplicant(const std::string& name) const;
  void RefreshDetails();
  void Mark(int row, int state);
  std::optional<int> ActiveMark(const profiles::ProfileRow& row);

  ProfilePageParts p_;
  std::vector<profiles::ProfileRow> rows_;
  int selected_ = -1;
  bool targetNeedsSupplicant_ = false;
  std::array<std::string, kDetailCount> details_;
};

// The details of a stored profile, as the page shows them. `autoText` is the language's text
// for the channel of an infrastructure profile.
std::array<std::string, kDetailCount> ProfileDetailTexts(const std::string& name,
                                                         const profiles::ProfileValues& stored,
                                                         bool supplicantAvailable,
                                                         const std::string& autoText);

}  // namespace kavo9::profilepage
