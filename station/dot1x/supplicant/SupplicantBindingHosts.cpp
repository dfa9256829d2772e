#include "station/dot1x/supplicant/SupplicantBinding.h"

#include "station/dot1x/pac/PacFile.h"

// The binding's side of the credential answers: the last record's passwords and PAC path, the
// password panel opened on the user-interface thread, and the station's settings and files.
namespace kavo9::dot1x {

std::string SupplicantBinding::TunnelPassword() {
  std::lock_guard hold(recordLock_);
  return record_ ? record_->Dot1x.TunnelPassword : std::string();
}

bool SupplicantBinding::EapFastEnhancement() {
  return env_.eapFastEnhancement && env_.eapFastEnhancement();
}

void SupplicantBinding::OpenPasswordPanel(bool change, std::function<void(bool ok)> done) {
  // From the worker: the panel is opened on the user-interface thread, never here.
  std::weak_ptr<SupplicantBinding*> alive = alive_;
  p_.loop.Post([alive, change, done = std::move(done)]() mutable {
    auto self = alive.lock();
    if (!self || !*self || !(*self)->openPanel_) return done(false);
    SupplicantBinding& binding = **self;
    if (binding.panelDone_) binding.panelDone_(false);  // one panel at a time
    binding.panelDone_ = std::move(done);
    binding.openPanel_(change);
  });
}

void SupplicantBinding::PasswordPanelDone(bool ok) {
  auto done = std::move(panelDone_);
  panelDone_ = nullptr;
  if (done) done(ok);
}

void SupplicantBinding::ClosePeapDialog() {
  if (!panelDone_) return;
  PasswordPanelDone(false);
  if (closePanel_) closePanel_();
}

std::string SupplicantBinding::PacPath() {
  std::lock_guard hold(recordLock_);
  return record_ ? record_->Dot1x.PACFilePath : std::string();
}

void SupplicantBinding::SetPacPath(const std::string& path) {
  std::lock_guard hold(recordLock_);
  if (record_) record_->Dot1x.PACFilePath = path;
}

std::string SupplicantBinding::DefaultPacPath() {
  bool bssidBound = false;
  {
    std::lock_guard hold(recordLock_);
    bssidBound = record_ && record_->BssidBound == 1;
  }
  std::optional<std::string> profile;
  if (!bssidBound) profile = env_.currentProfile ? env_.currentProfile() : std::string();
  return dot1x::DefaultPacPath(env_.pacFolder, profile);
}

void SupplicantBinding::StorePacPath(const std::string& path) {
  bool bssidBound = false;
  {
    std::lock_guard hold(recordLock_);
    bssidBound = record_ && record_->BssidBound == 1;
  }
  if (env_.writeText) env_.writeText("PACFilePath", path, !bssidBound);
}

std::filesystem::path SupplicantBinding::HostPath(std::string_view windowsPath) {
  return env_.hostPath ? env_.hostPath(windowsPath) : std::filesystem::path();
}

}  // namespace kavo9::dot1x
