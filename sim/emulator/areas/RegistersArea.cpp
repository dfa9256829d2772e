#include "sim/emulator/areas/RegistersArea.h"

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

// The record: register type, offset, value.
constexpr size_t kTypeOffset = 0, kOffsetOffset = 4, kValueOffset = 8;
// The BBP and RF files have 256 registers.
constexpr uint32_t kLastNarrowRegister = 255;
// An EEPROM word nobody programmed.
constexpr uint32_t kEepromBlank = 0xFFFF;
constexpr uint32_t kChipIdHt = 0x3070, kChipIdLegacy = 0x2573;

bool Addressable(uint32_t type, uint32_t offset) {
  if (type > kRegisterEeprom) return false;
  return !((type == kRegisterBbp || type == kRegisterRf) && offset > kLastNarrowRegister);
}

}  // namespace

std::span<const uint32_t> RegistersArea::Codes() const {
  static constexpr uint32_t kCodes[] = {OID_VND_REGISTER_ACCESS};
  return kCodes;
}

void RegistersArea::Load() {
  const AdapterSpec& spec = ctx_.spec;
  files_ = spec.registers;
  auto seed = [&](uint32_t offset, uint32_t value) {
    files_[kRegisterEeprom].try_emplace(offset, value);
  };
  seed(0x00, ctx_.chip.ht ? kChipIdHt : kChipIdLegacy);
  seed(0x02, uint32_t(spec.eepromVersion[1]) << 8 | spec.eepromVersion[0]);
  for (uint32_t i = 0; i < 3; ++i) {
    seed(0x04 + 2 * i, uint32_t(spec.mac[2 * i + 1]) << 8 | spec.mac[2 * i]);
  }
  seed(kEepromHtCapabilityWord, kEepromBlank);
}

uint32_t RegistersArea::Read(uint32_t type, uint32_t offset) const {
  auto it = files_[type].find(offset);
  if (it != files_[type].end()) return it->second;
  return type == kRegisterEeprom ? kEepromBlank : 0;
}

std::optional<int32_t> RegistersArea::Query(uint32_t code, std::span<uint8_t> out,
                                            uint32_t* written) {
  if (code != OID_VND_REGISTER_ACCESS) return std::nullopt;
  // The caller's record names the register; the answer keeps type and offset.
  const uint32_t type = GetLe32(out, kTypeOffset), offset = GetLe32(out, kOffsetOffset);
  if (!Addressable(type, offset)) return ERROR_INVALID_PARAMETER;
  PutLe32(out, kValueOffset, Read(type, offset));
  *written = uint32_t(out.size());
  return ERROR_SUCCESS;
}

std::optional<int32_t> RegistersArea::Set(uint32_t code, std::span<const uint8_t> value) {
  if (code != OID_VND_REGISTER_ACCESS) return std::nullopt;
  const uint32_t type = GetLe32(value, kTypeOffset), offset = GetLe32(value, kOffsetOffset);
  uint32_t data = GetLe32(value, kValueOffset);
  if (!Addressable(type, offset)) return ERROR_INVALID_PARAMETER;
  if (type == kRegisterBbp) data &= 0xFF;
  if (type == kRegisterEeprom) data &= 0xFFFF;
  files_[type][offset] = data;
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
