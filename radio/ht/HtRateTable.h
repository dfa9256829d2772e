#pragma once
// The 802.11n rate table: Mbit/s by channel width, guard interval and MCS, keyed by a text such as
// "40,400,7". Shows the rate of a station or of the link.

#include <map>
#include <string>

namespace kavo9::radio {

class CHTTable {
 public:
  CHTTable();
  // The rate for a key text; false (and `*rate` untouched) when the key is not in the table.
  bool Find(const std::string& key, double* rate) const;
  size_t size() const { return rates_.size(); }

 private:
  std::map<std::string, double> rates_;
};

// The process's one table.
const CHTTable& HtTable();

// The key text for a width, guard interval and MCS.
std::string HtRateKey(bool width40, bool shortGuard, int mcs);

// Looks a rate up. False, with `*rate` untouched, when there is none: MCS 32 at 20 MHz, and every
// combination missing from the table.
bool LookupHtRate(bool width40, bool shortGuard, int mcs, double* rate);

}  // namespace kavo9::radio
