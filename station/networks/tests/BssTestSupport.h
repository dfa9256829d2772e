#pragma once
// Small helpers shared by the decoder tests: one record from a list of elements.

#include <initializer_list>
#include <string>
#include <vector>

#include "station/networks/BssElementSummary.h"
#include "station/networks/BssRecordBuilder.h"

namespace kavo9::testing {

using build::Bytes;

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

inline Bytes RecordWithElements(const Bytes& elements, uint32_t infrastructure = 1) {
  return build::BssRecordBuilder()
      .Ssid("net")
      .Infrastructure(infrastructure)
      .AddElement(build::SsidElement("net"))
      .AddElement(elements)
      .Build();
}

inline BssElementSummary Decode(const Bytes& record) {
  return DecodeBssElements(BssRecordView(record));
}

}  // namespace kavo9::testing
