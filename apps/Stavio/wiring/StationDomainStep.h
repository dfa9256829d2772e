#pragma once
// The domain controller's check as the last step after an authentication: the supplicant
// binding's checks go on to their end marker once its lines are written.

#include <functional>
#include <utility>

#include "station/dot1x/sso/DomainControllerCheck.h"
#include "station/dot1x/supplicant/SupplicantBinding.h"

namespace kavo9 {

class StationDomainStep : public dot1x::PostAuthStep {
 public:
  StationDomainStep(Registry& registry, Domain& domain, EventLoop& loop,
                    dot1x::SupplicantBinding& binding)
      : binding_(binding),
        check_(
            registry, domain, loop,
            [&binding](std::string_view line) { binding.AddAuthStatusLine(line); },
            [this] {
              if (auto done = std::exchange(done_, nullptr)) done();
            }) {
    binding_.SetPostAuthStep(this);
  }
  ~StationDomainStep() override { binding_.SetPostAuthStep(nullptr); }
  StationDomainStep(const StationDomainStep&) = delete;
  StationDomainStep& operator=(const StationDomainStep&) = delete;

  void Start(std::function<void()> done) override {
    done_ = std::move(done);
    check_.Start();
  }
  void Cancel() override {
    done_ = nullptr;
    check_.Cancel();
  }

 private:
  dot1x::SupplicantBinding& binding_;
  sso::DomainControllerCheck check_;
  std::function<void()> done_;
};

}  // namespace kavo9
