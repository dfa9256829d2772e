#include "common/adapter/Adapter.h"

#include "common/adapter/DriverValues.h"

namespace kavo9 {

bool AdapterPort::Supports5GHz() const {
  return (NetworkTypesPresent() & (1u << Ndis802_11OFDM5)) != 0;
}

class Adapter::SelectingChooser : public AdapterChooser {
 public:
  SelectingChooser(AdapterChooser* inner, std::function<void(bool)> selecting)
      : inner_(inner), selecting_(std::move(selecting)) {}
  size_t Choose(const std::vector<DeviceInstance>& devices,
                const std::vector<size_t>& candidates) override {
    if (selecting_) selecting_(true);
    size_t chosen = inner_->Choose(devices, candidates);
    if (selecting_) selecting_(false);
    return chosen;
  }

 private:
  AdapterChooser* inner_;
  std::function<void(bool)> selecting_;
};

Adapter::Adapter(Platform& platform, Utility utility, AdapterChooser* chooser,
                 std::function<void(bool)> selecting)
    : access_(platform, utility) {
  if (chooser) chooser_ = std::make_unique<SelectingChooser>(chooser, std::move(selecting));
}

Adapter::~Adapter() = default;

void Adapter::LoadIniDeviceLists(const std::filesystem::path& settingsFile) {
  // The file is parsed once for all its DeviceID_n keys.
  lists_ = ReadIniDeviceLists(access_.utility(), settingsFile);
}

bool Adapter::DiscoverAdapter() {
  return kavo9::DiscoverAdapter(access_, lists_, chooser_.get());
}

}  // namespace kavo9
