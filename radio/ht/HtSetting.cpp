#include "radio/ht/HtSetting.h"

#include <charconv>

#include "radio/vocabulary/Bytes.h"

namespace kavo9::radio {

uint32_t PackHtSetting(const HtSetting& s) {
  uint32_t word = kHtPhyMode << 14;
  word |= s.wirelessMode & 15;
  word |= (s.mcs & 127) << 4;
  word |= (s.width40 & 1) << 11;
  word |= (s.shortGuard & 1) << 12;
  word |= (s.stbc & 1) << 13;
  word |= (s.greenfield & 1) << 16;
  word |= (s.extChannel & 3) << 17;
  return word;
}

HtSetting UnpackHtSetting(uint32_t word) {
  HtSetting s;
  s.wirelessMode = word & 15;
  s.mcs = (word >> 4) & 127;
  s.width40 = (word >> 11) & 1;
  s.shortGuard = (word >> 12) & 1;
  s.stbc = (word >> 13) & 1;
  s.greenfield = (word >> 16) & 1;
  s.extChannel = (word >> 17) & 3;
  return s;
}

namespace {

// Every byte the station writes; the extension channel (6) and the last byte are not among them.
void WriteFields(const HtSetting& s, HtPhyRecord* record) {
  WriteLe32(*record, 0, s.wirelessMode);
  (*record)[4] = uint8_t(kHtPhyMode);
  (*record)[5] = uint8_t(s.greenfield);
  (*record)[7] = uint8_t(s.mcs);
  (*record)[8] = uint8_t(s.width40);
  (*record)[9] = uint8_t(s.stbc);
  (*record)[10] = uint8_t(s.shortGuard);
}

}  // namespace

HtPhyRecord BuildHtPhyRecord(uint32_t word) {
  HtSetting s = UnpackHtSetting(word);
  HtPhyRecord record{};
  WriteFields(s, &record);
  record[6] = uint8_t(s.extChannel);
  return record;
}

void OverlayHtPhyRecord(uint32_t word, HtPhyRecord* record) {
  WriteFields(UnpackHtSetting(word), record);
}

HtSetting HtSettingFromRecord(std::span<const uint8_t, kHtPhyRecordSize> record) {
  HtSetting s;
  s.wirelessMode = ReadLe32(record, 0) & 15;
  s.greenfield = record[5] & 1;
  s.extChannel = record[6] & 3;
  s.mcs = record[7] & 127;
  s.width40 = record[8] & 1;
  s.stbc = record[9] & 1;
  s.shortGuard = record[10] & 1;
  return s;
}

namespace {
constexpr int kMcsChoices[] = {kMcsAuto, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 32};
}

std::span<const int> McsChoices() {
  return kMcsChoices;
}

std::string McsText(int mcs, std::string_view autoText) {
  if (mcs == kMcsAuto) return std::string(autoText);
  return std::to_string(mcs);
}

int McsFromText(std::string_view text, std::string_view autoText) {
  if (text == autoText) return kMcsAuto;
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 127) {
    return kMcsAuto;
  }
  return value;
}

void TakeBw40Eeprom24G(uint16_t value, Bw40Permissions* permissions) {
  if (value != kEepromBlank) permissions->allowed24G = (value & 0x100) == 0;
}

void TakeBw40Eeprom5G(uint16_t value, Bw40Permissions* permissions) {
  if (value != kEepromBlank) permissions->allowed5G = (value & 0x200) == 0;
}

bool Bw40Permitted(int wirelessMode, const Bw40Permissions& permissions) {
  if (wirelessMode == 7 || wirelessMode == 9) return permissions.allowed24G;
  if (wirelessMode == 8) return permissions.allowed5G;
  return true;
}

namespace {

// The decimal number at the start of `text` (after spaces), or 0.
int LeadingNumber(std::string_view text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  int value = 0;
  std::from_chars(text.data() + i, text.data() + text.size(), value);
  return value;
}

}  // namespace

int RegionTextSpan(std::string_view text) {
  size_t h = text.find('H');
  if (h == std::string_view::npos) return 0;
  std::string_view range = text.substr(h + 1);
  int first = LeadingNumber(range);
  size_t dash = range.rfind('-');
  int last = dash == std::string_view::npos ? first : LeadingNumber(range.substr(dash + 1));
  return last - first;
}

bool WidthForRegionChoice(int wirelessMode, const Bw40Permissions& permissions,
                          std::string_view regionText) {
  if (!Bw40Permitted(wirelessMode, permissions)) return false;
  return RegionTextSpan(regionText) > 3;
}

}  // namespace kavo9::radio
