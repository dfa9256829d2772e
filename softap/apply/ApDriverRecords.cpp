#include "softap/apply/ApDriverRecords.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace kavo9::softap {

void PutLe32At(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
  if (offset + 4 > bytes.size()) return;
  for (int i = 0; i < 4; ++i) bytes[offset + size_t(i)] = uint8_t(value >> (8 * i));
}

uint32_t GetLe32At(std::span<const uint8_t> bytes, size_t offset) {
  if (offset + 4 > bytes.size()) return 0;
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(bytes[offset + size_t(i)]) << (8 * i);
  return v;
}

std::vector<uint8_t> AddKeyRecord(uint32_t keyIndex, std::span<const uint8_t> key,
                                  const Mac& bssid) {
  const uint32_t length = 39 + uint32_t(key.size());
  std::vector<uint8_t> record(length, 0);
  PutLe32At(record, 0, length);
  PutLe32At(record, 4, keyIndex);
  PutLe32At(record, 8, uint32_t(key.size()));
  std::copy(bssid.begin(), bssid.end(), record.begin() + 12);
  std::copy(key.begin(), key.end(), record.begin() + kKeyMaterialOffset);
  return record;
}

std::vector<uint8_t> RemoveKeyRecord(uint32_t keyIndex) {
  std::vector<uint8_t> record(16, 0xFF);
  PutLe32At(record, 0, 16);
  PutLe32At(record, 4, keyIndex);
  return record;
}

std::array<uint8_t, kRadiusRecordSize> RadiusRecord(uint32_t address, uint32_t port,
                                                    std::string_view key) {
  std::array<uint8_t, kRadiusRecordSize> record{};
  for (int i = 0; i < 4; ++i) record[size_t(i)] = uint8_t(address >> (24 - 8 * i));
  PutLe32At(record, 4, port);
  std::memcpy(record.data() + 8, key.data(), std::min<size_t>(key.size(), 64));
  return record;
}

std::optional<uint32_t> ParseRadiusAddress(std::string_view text) {
  if (text.find('.') != std::string_view::npos) {
    uint32_t address = 0;
    int parts = 0;
    const char* p = text.data();
    const char* end = text.data() + text.size();
    while (p < end) {
      unsigned part = 0;
      auto [next, error] = std::from_chars(p, end, part);
      if (error != std::errc() || part > 255 || ++parts > 4) return std::nullopt;
      address = (address << 8) | part;
      p = next;
      if (p < end && *p++ != '.') return std::nullopt;
      if (p == end && text.back() == '.') return std::nullopt;
    }
    return parts == 4 ? std::optional(address) : std::nullopt;
  }
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t address = 0;
  auto [next, error] = std::from_chars(text.data(), text.data() + text.size(), address, 16);
  if (error != std::errc() || next != text.data() + text.size()) return std::nullopt;
  return address;
}

std::array<uint8_t, 8> RekeyRecord(uint32_t method, uint32_t interval) {
  std::array<uint8_t, 8> record{};
  PutLe32At(record, 0, method);
  PutLe32At(record, 4, interval);
  return record;
}

std::array<uint8_t, kWdsRecordSize> WdsRecord(std::span<const Mac> peers,
                                              std::optional<std::array<uint8_t, 32>> key) {
  std::array<uint8_t, kWdsRecordSize> record{};
  const size_t count = std::min(peers.size(), kMaxWdsPeers);
  PutLe32At(record, 0, uint32_t(count));
  for (size_t i = 0; i < count; ++i)
    std::copy(peers[i].begin(), peers[i].end(), &record[4 + 6 * i]);
  if (key) {
    PutLe32At(record, 24, 32);
    std::copy(key->begin(), key->end(), record.begin() + 28);
  }
  return record;
}

std::array<uint8_t, kAccessControlRecordSize> AccessControlRecord(uint32_t policy,
                                                                  std::span<const Mac> entries) {
  std::array<uint8_t, kAccessControlRecordSize> record{};
  const size_t count = std::min(entries.size(), kMaxAccessControlEntries);
  if (policy == 0 || count == 0) return record;
  PutLe32At(record, 0, policy);
  PutLe32At(record, 4, uint32_t(count));
  for (size_t i = 0; i < count; ++i) {
    std::copy(entries[i].begin(), entries[i].end(), &record[8 + 8 * i]);
  }
  return record;
}

std::array<uint8_t, 36> SsidRecord(std::string_view ssid) {
  std::array<uint8_t, 36> record{};
  const size_t length = std::min<size_t>(ssid.size(), 32);
  PutLe32At(record, 0, uint32_t(length));
  std::memcpy(record.data() + 4, ssid.data(), length);
  return record;
}

std::optional<std::vector<uint8_t>> DecodeHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    uint8_t byte = 0;
    auto [next, error] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
    if (error != std::errc() || next != text.data() + i + 2) return std::nullopt;
    bytes.push_back(byte);
  }
  return bytes;
}

std::optional<Mac> ParseMac12(std::string_view text) {
  if (text.size() != 12) return std::nullopt;
  auto bytes = DecodeHex(text);
  if (!bytes) return std::nullopt;
  Mac mac{};
  std::copy(bytes->begin(), bytes->end(), mac.begin());
  return mac;
}

}  // namespace kavo9::softap
