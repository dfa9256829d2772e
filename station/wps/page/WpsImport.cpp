#include "station/wps/page/WpsImport.h"

namespace kavo9::wpspage {

profileeditor::OkResult ImportCredential(profileeditor::ProfileEditor& editor,
                                         const wps::WpsCredential& c) {
  using namespace wps;
  editor.PrepareNewProfile();
  editor.System().SetSsid(c.SsidText());
  auto& security = editor.Security();
  if (const auto auth = MapAuth(c.AuthType).EditorChoice) security.ChooseAuthentication(*auth);
  if (const auto encry = MapEncry(c.EncryType).EditorChoice) security.ChooseEncryption(*encry);
  const std::string key = c.KeyText();
  if (c.AuthType == kAuthWpaPsk || c.AuthType == kAuthWpa2Psk || c.AuthType == kAuthWpaWpa2Psk) {
    security.SetPreSharedKey(key);
  }
  if ((c.AuthType == kAuthOpen || c.AuthType == kAuthShared) && c.EncryType == kEncryWep) {
    const int slot = int(c.KeySlot());
    const bool hex = (key.size() == 10 || key.size() == 26) && IsHexText(key);
    security.SetDefaultKey(slot);
    security.SetKeyForm(slot, hex ? profileeditor::kKeyHex : profileeditor::kKeyAscii);
    security.SetKeyText(slot, key);
  }
  return editor.Ok();
}

}  // namespace kavo9::wpspage
