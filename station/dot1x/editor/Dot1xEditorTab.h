#pragma once
// The 802.1X page as the editors' 802.1X tab: the page's moves in the profile's stored form, so
// the profile editor drives it like any tab, and the menu's MD5-Challenge entry worked out from
// the authentication tab it stands beside.

#include <functional>

#include "station/dot1x/settings/Dot1xPageModel.h"
#include "station/networks/profiles/editor/AuthSecurity.h"
#include "station/networks/profiles/editor/Dot1xTabPort.h"

namespace kavo9::dot1x {

// MD5-Challenge goes with the "802.1X" box ticked on open or shared authentication, or on no or
// WEP encryption.
bool Md5AllowedBy(const profileeditor::AuthSecurityValues& security);

// A page's refusal in the editors' terms.
profileeditor::Dot1xRefusal RefusalOf(const Dot1xProblem& problem);

class Dot1xEditorTab : public profileeditor::Dot1xTabPort {
 public:
  explicit Dot1xEditorTab(Dot1xPageModel& page) : page_(page) {}

  // The window showing the page reads it again after each move the editor makes.
  void SetChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }
  // The authentication tab beside the page; its choices decide the MD5-Challenge entry.
  void SetSecurity(const profileeditor::AuthSecurity* security) { security_ = security; }
  // The page is about to be shown.
  void OnShown();

  void Reset8021XPage() override;
  void Load8021XPage(const profiles::ProfileValues& values) override;
  std::optional<profileeditor::Dot1xRefusal> Validate8021XPage() override;
  void Take8021XChoices(profiles::ProfileValues* values) override;
  void ApplyMethodChoice() override;
  bool MethodIsMd5() const override { return page_.MethodIsMd5(); }
  void ResetMd5ToPeap() override;

  Dot1xPageModel& Page() { return page_; }

 private:
  void Changed() {
    if (changed_) changed_();
  }
  Dot1xPageModel& page_;
  const profileeditor::AuthSecurity* security_ = nullptr;
  std::function<void()> changed_;
};

}  // namespace kavo9::dot1x
