// Feeds arbitrary bytes to the credential table's decoder and to the WPS access-point list, as a
// driver reply would arrive. A decoded table is always one the record can hold, and encoding it
// and decoding again gives the same table; every row of the list holds a well-formed record.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "station/networks/BssRecord.h"
#include "station/wps/WpsApList.h"
#include "station/wps/WpsCredential.h"

using namespace kavo9;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const wps::WpsCredentialTable table = wps::DecodeTable(bytes);
  Check(table.Count <= wps::kMaxCredentials);
  for (size_t i = 0; i < wps::kMaxCredentials; ++i) {
    const wps::WpsCredential& c = table.Slots[i];
    Check(c.SsidLength <= wps::kMaxSsidBytes && c.KeyLength <= wps::kMaxKeyBytes);
    if (i >= table.Count) Check(c == wps::WpsCredential{});
  }
  Check(wps::DecodeTable(wps::EncodeTable(table)) == table);

  const std::span<const uint8_t> list = bytes.first(std::min<size_t>(size, 65536));
  for (uint32_t band = 0; band <= 2; ++band) {
    size_t total = 4;
    for (const wps::WpsApRow& row : wps::BuildWpsApList(list, band)) {
      Check(BssRecordView(row.Record).IsWellFormed());
      total += row.Record.size();
    }
    Check(total <= wps::kFilteredListBytes);
  }
  return 0;
}
