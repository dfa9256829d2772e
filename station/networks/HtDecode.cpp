// The 802.11n fields: HT capabilities (45), HT information (61), the secondary channel offset
// (62), mobility domain (52), extended capabilities (127) and the pre-standard vendor forms.

#include "station/networks/ElementDecoders.h"

namespace kavo9 {

using K = HtInfo::Kind;
const std::array<HtInfo::FieldInfo, HtInfo::kFieldCount> HtInfo::kFields = {{
    {"Secondary Channel Offset", K::Number},
    {"HT Information Exchange Support", K::Flag},
    {"Mobility Domain", K::Flag},
    {"High Throughput", K::Flag},
    {"HT Capability", K::Flag},
    {"LDPC Coding Capability", K::Flag},
    {"Supported Channel Width Set", K::Number},
    {"SM Power Save", K::Number},
    {"Greenfield", K::Flag},
    {"Short GI for 20 MHz", K::Flag},
    {"Short GI for 40 MHz", K::Flag},
    {"Tx STBC", K::Flag},
    {"Rx STBC", K::Number},
    {"HT-delayed BlockAck", K::Flag},
    {"Maximum A-MSDU Length", K::Number},
    {"DSSS/CCK Mode in 40MHz", K::Flag},
    {"PSMP Support", K::Flag},
    {"HT Capability PSMP Support", K::Flag},
    {"Maximum A-MSDU Length", K::Flag},
    {"Forty MHz Intolerant", K::Flag},
    {"L-SIG TXOP Protection Support", K::Flag},
    {"Maximum Rx A-MPDU Factor", K::Number},
    {"Minimum MPDU Start Spacing", K::Number},
    {"Tx MCS Set Defined", K::Flag},
    {"Tx Rx MCS Set Not Equal", K::Flag},
    {"Tx Maximum Number Spatial Streams Supported", K::Number},
    {"Tx Unequal Modulation Support", K::Flag},
    {"DSS/CCK Mode in 40 MHz", K::Flag},
    {"HT Information PSMP Support", K::Flag},
    {"Maximum Rx A-MPDU Factor", K::Number},
    {"Minimum MPDU Start Spacing", K::Number},
    {"+HTC Support", K::Flag},
    {"RD Responder", K::Flag},
    {"Primary Channel", K::Number},
    {"HT Information Secondary Channel Offset", K::Number},
    {"STA Channel Width", K::Number},
    {"RIFS Mode", K::Flag},
    {"PSMP STAs Only", K::Flag},
    {"Service Interval Granularity", K::Number},
    {"Operating Mode", K::Number},
    {"Non-greenfield STAs Present", K::Flag},
    {"Transmit Burst Limit", K::Flag},
    {"OBSS None-HT STAs Present", K::Flag},
    // Bits 5..11 of the HT information subset word: bit 5 is shown under the basic MCS set, bits
    // 6..11 where the standard places them.
    {"Basic MCS Set", K::Flag},
    {"Dual Beacon", K::Flag},
    {"Dual CTS Protection", K::Flag},
    {"Secondary Beacon", K::Flag},
    {"L-SIG TXOP Protection Full Support", K::Flag},
    {"PCO Active", K::Flag},
    {"PCP Phase", K::Flag},
    {"Basic MCS Set 0", K::Number},
    {"Basic MCS Set 1", K::Number},
    {"Basic MCS Set 2", K::Number},
    {"Basic MCS Set 3", K::Number},
    {"HT information present", K::Flag},
}};

namespace detail {
namespace {

int32_t Bit(uint32_t word, int bit) {
  return int32_t(word >> bit & 1);
}

void DecodeHtCapabilities(std::span<const uint8_t> body, HtInfo::FieldValues& v);
void DecodeHtInformation(std::span<const uint8_t> body, HtInfo::FieldValues& v);

}  // namespace

ElementParse DecodeHt(const Element& e, HtInfo& out) {
  auto& v = out.Values;
  const auto body = e.Body;
  switch (e.Id) {
    case ie::kSecondaryChannelOffset:
      if (body.size() != 3) return ElementParse::Malformed;
      v[0] = body[0];
      return ElementParse::Parsed;
    case ie::kExtendedCapabilities:
      if (body.empty()) return ElementParse::Malformed;
      v[1] = Bit(body[0], 0);
      return ElementParse::Parsed;
    case ie::kMobilityDomain: {
      if (body.size() < 13) return ElementParse::Malformed;
      const uint16_t word = ReadLe16(body, 6);
      v[2] = Bit(word, 11);
      v[3] = Bit(word, 12);
      return ElementParse::Parsed;
    }
    case ie::kHtCapabilities:
      if (body.size() != 26) return ElementParse::Malformed;
      DecodeHtCapabilities(body, v);
      return ElementParse::Parsed;
    case ie::kHtInformation:
      if (body.size() < 22) return ElementParse::Malformed;
      DecodeHtInformation(body, v);
      return ElementParse::Parsed;
    case ie::kVendorSpecific:
      if (e.IsVendor(ie::kOuiHtVendor, ie::kVendorTypeHtCapability) && body.size() == 30) {
        v[4] = 1;
        return ElementParse::Parsed;
      }
      if (e.IsVendor(ie::kOuiHtVendor, ie::kVendorTypeHtInformation) && body.size() >= 26) {
        v[54] = 1;
        return ElementParse::Parsed;
      }
      return ElementParse::Unknown;
    default:
      return ElementParse::Unknown;
  }
}

namespace {

void DecodeHtCapabilities(std::span<const uint8_t> body, HtInfo::FieldValues& v) {
  const uint16_t cap = ReadLe16(body, 0);
  v[4] = 1;
  v[5] = Bit(cap, 0);
  v[6] = Bit(cap, 1);
  v[7] = cap >> 2 & 3;
  v[8] = Bit(cap, 4);
  v[9] = Bit(cap, 5);
  v[10] = Bit(cap, 6);
  v[11] = Bit(cap, 7);
  v[12] = cap >> 8 & 3;
  v[13] = Bit(cap, 10);
  v[14] = Bit(cap, 11);
  v[15] = Bit(cap, 12);
  v[16] = Bit(cap, 13);
  v[19] = Bit(cap, 14);
  v[20] = Bit(cap, 15);
  v[21] = body[2] & 3;
  v[22] = body[2] & 0x0C;  // shown unshifted
  v[23] = body[15] == 1;
}

void DecodeHtInformation(std::span<const uint8_t> body, HtInfo::FieldValues& v) {
  v[33] = body[0];
  v[34] = body[1] & 3;
  v[35] = Bit(body[1], 2);
  v[36] = Bit(body[1], 3);
  v[37] = Bit(body[1], 4);
  v[38] = body[1] >> 5;
  v[39] = body[2] & 3;
  const uint16_t operation = ReadLe16(body, 2);
  v[40] = Bit(operation, 2);
  v[41] = Bit(operation, 3);
  v[42] = Bit(operation, 4);
  const uint16_t subset = ReadLe16(body, 4);
  for (int i = 0; i < 7; ++i) v[43 + i] = Bit(subset, 5 + i);
  for (int i = 0; i < 4; ++i) v[50 + i] = int32_t(ReadLe32(body, 6 + 4 * i));
  v[54] = 1;
}

}  // namespace
}  // namespace detail
}  // namespace kavo9
