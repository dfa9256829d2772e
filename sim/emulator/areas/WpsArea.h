#pragma once
// The driver's WPS engine. A start request picks the method (PIN or push button) and the role
// (enrollee or registrar); the engine then steps through the registration's status codes on the
// clock, as the driver would report them, and ends in success with the access point's
// credentials or in the failure the access point's WPS settings lead to:
//   - PIN as enrollee: the chosen access point's PIN must equal ours (else the R-hash error after
//     M4); a locked access point, or one without a PIN, fails the EAP exchange; an access point
//     not heard fails with the invalid-SSID code.
//   - Push button (either role, and the adapter's own button): exactly one access point in range
//     with its button pressed succeeds; two are an overlap; none within the walk time ends with
//     "no PBC AP".
//   - Registrar: an unconfigured access point takes the first credential we set and the world's
//     network changes to it; a configured one hands over its own settings, as to an enrollee.
// After success the credentials and the access point's channel can be read. The final code
// stays until the next start.

#include <optional>
#include <vector>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class WpsArea : public EmulatorArea {
 public:
  static constexpr uint64_t kStepMs = 250;
  static constexpr uint64_t kWalkMs = 120'000;

  explicit WpsArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  void Load() override;
  void Advance(uint64_t nowMs) override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

  // The adapter's hardware push button: reported once through OID_VND_WPS_BUTTON, and the driver
  // starts a push-button session as enrollee at once.
  void PressButton();

 private:
  struct Start {
    bool pin = false;
    bool registrar = false;
    std::string pinText;
    std::string ssid;
    MacAddress bssid{};
  };
  void Begin(const Start& start);
  void BeginPin(const NetworkSpec* ap);
  void Run(std::vector<uint32_t> codes, const NetworkSpec* successAp);
  void Succeed();
  // The access points in range with the button pressed.
  std::vector<const NetworkSpec*> PressedInRange() const;
  const NetworkSpec* FindTarget() const;

  EmulatorContext& ctx_;
  Start start_;
  bool active_ = false;
  bool walking_ = false;  // push button: looking for a pressed access point
  uint64_t walkEnd_ = 0;
  std::vector<uint32_t> codes_;
  size_t next_ = 0;
  uint64_t nextAt_ = 0;
  uint32_t status_ = 0;
  std::optional<MacAddress> successAp_;
  std::vector<uint8_t> registrarTable_;  // what the program set, for a registrar run
  std::vector<uint8_t> credentials_;     // the table read after success
  uint32_t channel_ = 0;
  bool buttonPressed_ = false;
};

}  // namespace kavo9::emu
