#include "common/adapter/ChipFamilies.h"

#include <algorithm>

namespace kavo9 {
namespace {

constexpr AdapterBus kUsb = AdapterBus::kUsb;
constexpr AdapterBus kPci = AdapterBus::kPci;
constexpr AdapterBus kNoBus = AdapterBus::kNone;
constexpr int kAbsent = -1;

struct FamilyRow {
  std::string_view name;
  int stationCode;
  int softApCode;
  AdapterBus bus;
  std::string_view iniSection;
  bool ht;
  int htVariant;
  std::array<std::string_view, 5> driverFiles;
};

// clang-format off
constexpr FamilyRow kFamilies[] = {
    {"QKA100", 0, 0, kPci, "QKA100", false, 0,
     {"tsa100.sys", "tsa100k.sys", "tsa100x.sys", "tsa100v.sys", "tsa100v64.sys"}},
    {"QKA1U98", 1, 1, kUsb, "QKA100USB", false, 0,
     {"tsa1u98.sys", "tsa1uk.sys", "tsa1ux.sys", "tsa1uv.sys", "tsa1uv64.sys"}},
    {"QKG100", 2, 2, kNoBus, "", false, 0,
     {"tsg100.sys", "tsg100k.sys", "tsg100x.sys", "tsg100v.sys", "tsg100v64.sys"}},
    {"QKG1U98", 3, 3, kNoBus, "", false, 0,
     {"tsg1u98.sys", "tsg1uk.sys", "tsg1ux.sys", "tsg1uv.sys", "tsg1uv64.sys"}},
    {"QKB1", 4, 4, kPci, "QKB1", false, 0,
     {"tsb1.sys", "tsb1k.sys", "tsb1x.sys", "tsb1v.sys", "tsb1v64.sys"}},
    {"QKC1", 5, 5, kUsb, "QKC1", false, 0,
     {"tsc1.sys", "tsc1k.sys", "tsc1x.sys", "tsc1v.sys", "tsc1v64.sys"}},
    {"QKD100_A", kAbsent, 6, kPci, "", true, 1,
     {"tsd100a.sys", "tsd100ak.sys", "tsd100ax.sys", "tsd100av.sys", "tsd100av64.sys"}},
    {"QKD100", 6, 7, kPci, "QKD100", true, 2,
     {"tsd100.sys", "tsd100k.sys", "tsd100x.sys", "tsd100v.sys", "tsd100v64.sys"}},
    {"QKD170", 7, 8, kUsb, "QKD170", true, 3,
     {"tsd170.sys", "tsd170k.sys", "tsd170x.sys", "tsd170v.sys", "tsd170v64.sys"}},
    {"QKE170", 8, kAbsent, kUsb, "QKE170", false, 0,
     {"tse170.sys", "tse170k.sys", "tse170x.sys", "tse170v.sys", "tse170v64.sys"}},
    {"QKF170", 9, kAbsent, kUsb, "QKF170", true, 0,
     {"tsf170.sys", "tsf170k.sys", "tsf170x.sys", "tsf170v.sys", "tsf170v64.sys"}},
};
// clang-format on

constexpr int CodeOf(const FamilyRow& row, Utility utility) {
  return utility == Utility::kStation ? row.stationCode : row.softApCode;
}

template <Utility U>
constexpr auto BuildFamilies() {
  constexpr size_t count = [] {
    size_t n = 0;
    for (const auto& row : kFamilies) n += CodeOf(row, U) != kAbsent;
    return n;
  }();
  std::array<ChipFamily, count> table{};
  for (const auto& row : kFamilies) {
    int code = CodeOf(row, U);
    if (code == kAbsent) continue;
    table[size_t(code)] =
        ChipFamily{code,           row.name, row.bus,
                   row.iniSection, row.ht,   U == Utility::kSoftAp ? row.htVariant : 0,
                   row.driverFiles};
  }
  return table;
}

constexpr auto kStationFamilies = BuildFamilies<Utility::kStation>();
constexpr auto kSoftApFamilies = BuildFamilies<Utility::kSoftAp>();
static_assert(kStationFamilies.size() == 10 && kSoftApFamilies.size() == 9);

enum Rows { Both, SoftApOnly };
struct IdRow {
  std::string_view prefix;
  std::string_view family;
  Rows rows;
};

constexpr IdRow kIds[] = {
#define HARDWARE_ID(prefix, family, rows) {prefix, #family, rows},
#include "common/adapter/HardwareIds.def"
#undef HARDWARE_ID
};

constexpr const FamilyRow* FamilyNamed(std::string_view name) {
  for (const auto& row : kFamilies) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

template <Utility U, AdapterBus B>
constexpr auto BuildIds() {
  auto wanted = [](const IdRow& id) {
    const FamilyRow* family = FamilyNamed(id.family);
    return family && family->bus == B && CodeOf(*family, U) != kAbsent &&
           (id.rows == Both || U == Utility::kSoftAp);
  };
  constexpr size_t count = [&] {
    size_t n = 0;
    for (const auto& id : kIds) n += wanted(id);
    return n;
  }();
  std::array<HardwareIdRow, count> table{};
  size_t i = 0;
  for (const auto& id : kIds) {
    if (wanted(id)) table[i++] = HardwareIdRow{id.prefix, CodeOf(*FamilyNamed(id.family), U)};
  }
  return table;
}

constexpr auto kStationUsb = BuildIds<Utility::kStation, kUsb>();
constexpr auto kStationPci = BuildIds<Utility::kStation, kPci>();
constexpr auto kSoftApUsb = BuildIds<Utility::kSoftAp, kUsb>();
constexpr auto kSoftApPci = BuildIds<Utility::kSoftAp, kPci>();
static_assert(kStationUsb.size() == 77 && kStationPci.size() == 8);
static_assert(kSoftApUsb.size() == 78 && kSoftApPci.size() == 9);
static_assert(
    [] {
      for (const auto& id : kIds) {
        if (id.prefix.size() != kHardwareIdPrefixLength || !FamilyNamed(id.family)) return false;
      }
      return true;
    }(),
    "a hardware identifier row is not 21 characters or names an unknown family");

constexpr std::string_view kSections[] = {"QKA100", "QKA100USB", "QKB1",   "QKC1",
                                          "QKD100", "QKD170",    "QKE170", "QKF170"};

}  // namespace

std::span<const ChipFamily> ChipFamilyTable(Utility utility) {
  if (utility == Utility::kStation) return kStationFamilies;
  return kSoftApFamilies;
}

const ChipFamily* FindChipFamily(Utility utility, int code) {
  auto table = ChipFamilyTable(utility);
  if (code < 0 || size_t(code) >= table.size()) return nullptr;
  return &table[size_t(code)];
}

std::span<const HardwareIdRow> HardwareIdTable(Utility utility, AdapterBus bus) {
  if (bus == AdapterBus::kUsb) {
    return utility == Utility::kStation ? std::span<const HardwareIdRow>(kStationUsb)
                                        : std::span<const HardwareIdRow>(kSoftApUsb);
  }
  if (bus == AdapterBus::kPci) {
    return utility == Utility::kStation ? std::span<const HardwareIdRow>(kStationPci)
                                        : std::span<const HardwareIdRow>(kSoftApPci);
  }
  return {};
}

std::span<const std::string_view> IniDeviceSections(Utility utility) {
  // The soft-AP utility reads the first six.
  return std::span<const std::string_view>(kSections).first(utility == Utility::kStation ? 8 : 6);
}

}  // namespace kavo9
