#include "station/dot1x/editor/Dot1xEditorTab.h"

namespace kavo9::dot1x {

using namespace profileeditor;

bool Md5AllowedBy(const AuthSecurityValues& s) {
  return Md5Allowed(s.use8021X, s.authentication == kAuthOpen || s.authentication == kAuthShared,
                    s.encryption == kEncNone || s.encryption == kEncWep);
}

Dot1xRefusal RefusalOf(const Dot1xProblem& problem) {
  return {problem.key, std::string(problem.text)};
}

void Dot1xEditorTab::OnShown() {
  page_.SetMd5Offered(security_ && Md5AllowedBy(security_->Values()));
}

void Dot1xEditorTab::Reset8021XPage() {
  page_.Reset();
  Changed();
}

void Dot1xEditorTab::Load8021XPage(const profiles::ProfileValues& values) {
  page_.Load(ReadDot1xSettings(values));
  Changed();
}

std::optional<Dot1xRefusal> Dot1xEditorTab::Validate8021XPage() {
  if (auto problem = page_.Validate()) return RefusalOf(*problem);
  return std::nullopt;
}

void Dot1xEditorTab::Take8021XChoices(profiles::ProfileValues* values) {
  // What the page does not hold (the provisioning method of another method) stays as stored.
  Dot1xSettings settings = ReadDot1xSettings(*values);
  page_.Take(&settings);
  WriteDot1xSettings(settings, values);
}

void Dot1xEditorTab::ApplyMethodChoice() {
  page_.ApplyMethodChoice();
  Changed();
}

void Dot1xEditorTab::ResetMd5ToPeap() {
  if (!page_.MethodIsMd5()) return;
  page_.ChooseMethod(kPeap);
  Changed();
}

}  // namespace kavo9::dot1x
