#pragma once
// Who is on the hotspot: each associated station with the name and address its DHCP lease gives
// it, its transmit rate and how long it has been associated. The time is counted from the first
// table that listed the station; a station that leaves and comes back starts again.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/platform/IpHelper.h"
#include "softap/stations/StationTable.h"

namespace kavo9::softap {

struct ClientRow {
  std::string name;       // from the lease; the address when there is none
  std::string mac;        // "02-1D-5A-00-00-11"
  std::string ip;         // from the lease; empty when there is none
  std::string rate;       // "300.00 Mbit/s"; empty on adapters without the rate word
  std::string connected;  // "1:02:03", "0:00:05"
};

// "h:mm:ss" of a duration in milliseconds.
std::string DurationText(uint64_t ms);

class ClientList {
 public:
  // Takes a station table read at `nowMs` and the server's leases.
  void Update(const std::vector<StationEntry>& stations, const std::vector<SharingLease>& leases,
              uint64_t nowMs);
  const std::vector<ClientRow>& rows() const { return rows_; }

 private:
  std::map<std::string, uint64_t> firstSeen_;  // by address text
  std::vector<ClientRow> rows_;
};

}  // namespace kavo9::softap
