#pragma once
// Device enumeration of the "Net" setup class: the present network devices with their
// properties, as SetupAPI lists them.

#include <string>
#include <vector>

namespace kavo9 {

// {4D36E972-E325-11CE-BFC1-08002BE10318}, the network adapter setup class.
inline constexpr const char* kNetClassGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

struct DeviceInstance {
  std::vector<std::string> hardwareIds;  // first one first ("USB\VID_1D5A&PID_3071&REV_0101"...)
  std::string friendlyName;              // may be empty
  std::string deviceDescription;
  std::string locationInformation;
  std::string manufacturer;
  std::string driverKeyName;  // "{4D36E972-E325-11CE-BFC1-08002BE10318}\0007"
};

class DeviceEnum {
 public:
  virtual ~DeviceEnum() = default;
  // The present devices of the class named `className` ("Net"), in enumeration order. False when
  // the class or the device set cannot be had.
  virtual bool GetPresentDevices(const std::string& className,
                                 std::vector<DeviceInstance>* devices) = 0;
};

}  // namespace kavo9
