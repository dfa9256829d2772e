#pragma once
// What the access point runs with, in words: the rows the sheet's configuration tab shows until
// its editor comes, read from the adapter key the start-up sequence applied.

#include <string>
#include <vector>

#include "softap/record/ApKeyReader.h"
#include "softap/record/ApRuntimeState.h"

namespace kavo9::softap {

struct SummaryRow {
  int labelId;  // a string number of the program's tables
  std::string value;
};

// `yes` and `no` are the program's words for a switch.
std::vector<SummaryRow> ApSummary(const ApKeyReader& key, const ApRuntimeState& state,
                                  const std::string& yes, const std::string& no);

// Texts of the codes (the same in every language).
std::string WirelessModeText(uint32_t mode);
std::string AuthText(uint32_t auth);
std::string EncryptionText(uint32_t encryption);

}  // namespace kavo9::softap
