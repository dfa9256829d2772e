#pragma once
// What the access-control page keeps and does, without the window: the policy, the list of up
// to 32 station addresses, the checks of Add and Modify, which controls may be used, and Apply,
// which stores both in the access-point record and hands them to the driver.

#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"
#include "softap/apply/ApDriverRecords.h"
#include "softap/record/ApRuntimeState.h"

namespace kavo9::softap {

enum AccessPolicy : int { kPolicyDisabled = 0, kPolicyAllowListed = 1, kPolicyRejectListed = 2 };
inline constexpr int kPolicyCount = 3;
inline constexpr size_t kMacDigits = 12;

// "000C43123456" -> "00-0C-43-12-34-56" (upper case); the text as it is when it is not 12 digits.
std::string FormatMacEntry(std::string_view digits);
// "00-0C-43-12-34-56" -> "000C43123456".
std::string EntryDigits(std::string_view entry);
// Add's and Modify's checks of a typed address against the list (the entry at `skip` not
// counted, -1 for none): 0 when it may be listed, else the string number of the message.
int CheckMacText(std::string_view typed, const std::vector<std::string>& entries, int skip = -1);
// The list as REG_MULTI_SZ: each entry's 12 digits and a zero, then the final zero.
std::vector<uint8_t> AccessListBytes(const std::vector<std::string>& entries);

class AccessControlModel {
 public:
  AccessControlModel(const ApRuntimeState& state, Registry& registry, StorePort& store,
                     DriverPort& driver)
      : state_(state), registry_(registry), store_(store), driver_(driver) {}

  // Reads the policy and the list from the adapter key.
  void Load();

  int policy() const { return policy_; }
  void SetPolicy(int policy) { policy_ = policy >= 0 && policy < kPolicyCount ? policy : 0; }
  const std::vector<std::string>& entries() const { return entries_; }

  // 0 when done, else the string number of the refusal; nothing changes then.
  int Add(std::string_view typed);
  int Modify(int index, std::string_view typed);
  // An index that is no entry (no selection) does nothing.
  void Delete(int index);
  void RemoveAll() { entries_.clear(); }

  bool ListEnabled() const { return policy_ != kPolicyDisabled; }
  bool AddEnabled() const { return ListEnabled() && entries_.size() < kMaxAccessControlEntries; }

  void Apply();

 private:
  const ApRuntimeState& state_;
  Registry& registry_;
  StorePort& store_;
  DriverPort& driver_;
  int policy_ = kPolicyDisabled;
  std::vector<std::string> entries_;
};

}  // namespace kavo9::softap
