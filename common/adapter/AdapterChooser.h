#pragma once
// Asking the user which adapter to use when more than one qualifies.

#include <cstddef>
#include <vector>

#include "common/platform/DeviceEnum.h"

namespace kavo9 {

class AdapterChooser {
 public:
  virtual ~AdapterChooser() = default;
  // Shows the candidates (indices into `devices`, at least two, in enumeration order) and returns
  // the device index chosen. The controller wraps this to set its selecting flag around it.
  virtual size_t Choose(const std::vector<DeviceInstance>& devices,
                        const std::vector<size_t>& candidates) = 0;
};

}  // namespace kavo9
