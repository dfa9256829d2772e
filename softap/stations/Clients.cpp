#include "softap/stations/Clients.h"

#include <strings.h>
#include <cstdio>

namespace kavo9::softap {

std::string DurationText(uint64_t ms) {
  const uint64_t seconds = ms / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%llu:%02llu:%02llu",
                static_cast<unsigned long long>(seconds / 3600),
                static_cast<unsigned long long>(seconds / 60 % 60),
                static_cast<unsigned long long>(seconds % 60));
  return text;
}

void ClientList::Update(const std::vector<StationEntry>& stations,
                        const std::vector<SharingLease>& leases, uint64_t nowMs) {
  std::map<std::string, uint64_t> seen;
  rows_.clear();
  for (const StationEntry& s : stations) {
    ClientRow row;
    row.mac = MacText(s.mac);
    auto first = firstSeen_.find(row.mac);
    const uint64_t since = first == firstSeen_.end() ? nowMs : first->second;
    seen[row.mac] = since;
    row.connected = DurationText(nowMs >= since ? nowMs - since : 0);
    row.name = row.mac;
    for (const SharingLease& lease : leases) {
      // The server may write the address in lower case.
      if (strcasecmp(lease.mac.c_str(), row.mac.c_str()) != 0) continue;
      if (!lease.name.empty()) row.name = lease.name;
      row.ip = lease.ip;
    }
    if (s.rateWord) {
      char rate[32];
      std::snprintf(rate, sizeof rate, "%.2f Mbit/s", RateOfWord(*s.rateWord));
      row.rate = rate;
    }
    rows_.push_back(row);
  }
  // Stations no longer listed are forgotten: coming back counts from then.
  firstSeen_ = std::move(seen);
}

}  // namespace kavo9::softap
