#include "softap/access/AccessControl.h"

#include <algorithm>
#include <cctype>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "common/shell/AdapterKey.h"
#include "common/shell/ModeHandOver.h"
#include "softap/record/ApKeyReader.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {

std::string FormatMacEntry(std::string_view digits) {
  if (digits.size() != kMacDigits) return std::string(digits);
  std::string entry;
  for (size_t i = 0; i < kMacDigits; ++i) {
    if (i > 0 && i % 2 == 0) entry += '-';
    entry += char(std::toupper(static_cast<unsigned char>(digits[i])));
  }
  return entry;
}

std::string EntryDigits(std::string_view entry) {
  std::string digits;
  for (char c : entry) {
    if (c != '-') digits += c;
  }
  return digits;
}

int CheckMacText(std::string_view typed, const std::vector<std::string>& entries, int skip) {
  const bool hex = std::all_of(typed.begin(), typed.end(),
                               [](unsigned char c) { return std::isxdigit(c) != 0; });
  if (typed.size() != kMacDigits || !hex) return kStrInvalidMac;
  auto mac = ParseMac12(typed);
  if (!mac) return kStrInvalidMac;
  if ((*mac)[0] & 0x01) return kStrMulticastMac;
  const std::string entry = FormatMacEntry(typed);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (int(i) != skip && entries[i] == entry) return kStrDuplicatedMac;
  }
  return 0;
}

std::vector<uint8_t> AccessListBytes(const std::vector<std::string>& entries) {
  std::vector<uint8_t> bytes;
  for (const std::string& e : entries) {
    const std::string digits = EntryDigits(e);
    bytes.insert(bytes.end(), digits.begin(), digits.end());
    bytes.push_back(0);
  }
  bytes.push_back(0);
  return bytes;
}

void AccessControlModel::Load() {
  const ApKeyReader key(registry_, state_.adapterKeyPath);
  SetPolicy(int(key.NumberOr("AccessControlPolicy", kPolicyDisabled)));
  entries_.clear();
  const auto list = key.List("AccessControlList").value_or(std::vector<std::string>{});
  for (const std::string& stored : list) {
    if (entries_.size() == kMaxAccessControlEntries) break;
    // A stored entry that is no address is left out rather than listed half-readable.
    if (stored.size() != kMacDigits || !ParseMac12(stored)) continue;
    const std::string entry = FormatMacEntry(stored);
    if (std::find(entries_.begin(), entries_.end(), entry) == entries_.end()) {
      entries_.push_back(entry);
    }
  }
}

int AccessControlModel::Add(std::string_view typed) {
  if (!AddEnabled()) return 0;
  if (const int refused = CheckMacText(typed, entries_)) return refused;
  entries_.push_back(FormatMacEntry(typed));
  return 0;
}

int AccessControlModel::Modify(int index, std::string_view typed) {
  if (index < 0 || size_t(index) >= entries_.size()) return 0;
  if (const int refused = CheckMacText(typed, entries_, index)) return refused;
  entries_[size_t(index)] = FormatMacEntry(typed);
  return 0;
}

void AccessControlModel::Delete(int index) {
  if (index < 0 || size_t(index) >= entries_.size()) return;
  entries_.erase(entries_.begin() + index);
}

void AccessControlModel::Apply() {
  const std::string record = SubkeyPath(state_.adapterKeyPath, kAccessPointValuesSubkey);
  StoreText(store_, record, "AccessControlPolicy", std::to_string(policy_));
  const auto list = AccessListBytes(entries_);
  store_.SetValue(record, "AccessControlList", REG_MULTI_SZ, list.data(), uint32_t(list.size()),
                  StorePort::Area::kAdvanced);
  LoadAccessPointValues(registry_, store_, state_.adapterKeyPath);
  std::vector<Mac> macs;
  if (policy_ != kPolicyDisabled) {
    for (const std::string& e : entries_) {
      if (auto mac = ParseMac12(EntryDigits(e))) macs.push_back(*mac);
    }
  }
  const auto bytes = AccessControlRecord(uint32_t(policy_), macs);
  driver_.SetInformation(OID_VND_ACCESS_CONTROL, bytes.data(), uint32_t(bytes.size()),
                         kSetAttempts);
}

}  // namespace kavo9::softap
