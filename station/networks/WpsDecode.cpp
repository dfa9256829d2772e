// The WPS vendor element: its attributes (big-endian type, length, value) become the texts of
// the WPS summary.

#include <algorithm>
#include <string>

#include "station/networks/ElementDecoders.h"

namespace kavo9::detail {
namespace {

enum : uint16_t {
  kAttrSelectedRegistrarConfigMethods = 0x1053,
  kAttrConfigMethods = 0x1008,
  kAttrDevicePasswordId = 0x1012,
  kAttrSelectedRegistrar = 0x1041,
  kAttrAuthorizedMacs = 0x101A,  // its 16 bytes are appended to the selected-registrar text
  kAttrState = 0x1044,
  kAttrVersion = 0x104A,
  kAttrApSetupLocked = 0x1057,
  kAttrUuidE = 0x1047,
  kAttrRfBands = 0x103C,
};

// A 16-bit big-endian value from the bytes the attribute has; a one-byte value is its high byte.
bool ReadBe16Partial(std::span<const uint8_t> value, uint16_t& out) {
  if (value.empty()) return false;
  out = uint16_t(value[0] << 8 | (value.size() > 1 ? value[1] : 0));
  return true;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

// "0x%04X", without the cost of a formatted print.
std::string Hex16(uint16_t v) {
  return {'0',
          'x',
          kHexDigits[v >> 12],
          kHexDigits[v >> 8 & 15],
          kHexDigits[v >> 4 & 15],
          kHexDigits[v & 15]};
}

void AppendHex(std::string& text, std::span<const uint8_t> bytes) {
  for (uint8_t b : bytes.first(std::min<size_t>(bytes.size(), 16))) {
    text += kHexDigits[b >> 4];
    text += kHexDigits[b & 15];
  }
}

void ApplyAttribute(uint16_t type, std::span<const uint8_t> value, WpsInfo& wps) {
  auto& f = wps.Fields;
  uint16_t word = 0;
  switch (type) {
    case kAttrConfigMethods:
    case kAttrSelectedRegistrarConfigMethods:
      if (ReadBe16Partial(value, word)) f[WpsInfo::ConfigMethods] = Hex16(word);
      break;
    case kAttrDevicePasswordId:
      if (ReadBe16Partial(value, word)) f[WpsInfo::DevicePasswordId] = Hex16(word);
      break;
    case kAttrSelectedRegistrar:
      if (!value.empty()) f[WpsInfo::SelectedRegistrar] = value[0] ? "TRUE" : "FALSE";
      break;
    case kAttrAuthorizedMacs:
      AppendHex(f[WpsInfo::SelectedRegistrar], value);
      break;
    case kAttrState:
      if (!value.empty() && value[0] == 1) f[WpsInfo::State] = "Unconfigured";
      if (!value.empty() && value[0] == 2) f[WpsInfo::State] = "Configured";
      break;
    case kAttrVersion:
      // "%u.%u" of the two nibbles
      if (!value.empty())
        f[WpsInfo::Version] = std::to_string(value[0] >> 4) + '.' + std::to_string(value[0] & 15);
      break;
    case kAttrApSetupLocked:
      if (!value.empty()) f[WpsInfo::ApSetupLocked] = value[0] ? "TRUE" : "FALSE";
      break;
    case kAttrUuidE:
      AppendHex(f[WpsInfo::UuidE], value);
      break;
    case kAttrRfBands:
      if (value.empty()) break;
      f[WpsInfo::RfBands] = value[0] == 1   ? "0x01 (2.4GHz)"
                            : value[0] == 2 ? "0x02 (5GHz)"
                            : value[0] == 3 ? "0x03"
                                            : "";
      break;
    default:
      break;  // passed over by its length
  }
}

}  // namespace

ElementParse DecodeWps(std::span<const uint8_t> body, WpsInfo& out) {
  out.Present = true;
  ElementParse result = ElementParse::Parsed;
  // Attributes follow the OUI and type; a header needs 4 bytes and at least one byte after it.
  size_t consumed = 4;
  while (consumed + 4 < body.size()) {
    const uint16_t type = ReadBe16(body, consumed);
    const size_t length = ReadBe16(body, consumed + 2);
    const size_t available = body.size() - consumed - 4;
    if (length > available) result = ElementParse::Malformed;  // read only what the element has
    ApplyAttribute(type, body.subspan(consumed + 4, std::min(length, available)), out);
    consumed += 4 + length;
  }
  return result;
}

}  // namespace kavo9::detail
