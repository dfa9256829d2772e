#pragma once
// The service control manager: the state and start type of a Windows service (the programs only
// ever ask about the wireless configuration service "WZCSVC").

#include <cstdint>
#include <string_view>

namespace kavo9 {

inline constexpr const char* kWirelessConfigService = "WZCSVC";

// Service states (SERVICE_STATUS.dwCurrentState).
enum : uint32_t {
  SERVICE_STOPPED = 1,
  SERVICE_START_PENDING = 2,
  SERVICE_STOP_PENDING = 3,
  SERVICE_RUNNING = 4,
};

// Start types.
enum : uint32_t { SERVICE_AUTO_START = 2, SERVICE_DEMAND_START = 3, SERVICE_DISABLED = 4 };

class ServiceControl {
 public:
  virtual ~ServiceControl() = default;
  // The service's current state. False when the manager cannot be reached or the service is not
  // installed.
  virtual bool QueryStatus(std::string_view service, uint32_t* state) = 0;
  virtual bool QueryStartType(std::string_view service, uint32_t* startType) = 0;
  // Starts or stops the service (the state moves on at once on the simulated machine). False when
  // refused (not installed, no access, already in that state).
  virtual bool Start(std::string_view service) = 0;
  virtual bool Stop(std::string_view service) = 0;
  virtual bool SetStartType(std::string_view service, uint32_t startType) = 0;
};

}  // namespace kavo9
