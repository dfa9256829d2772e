#pragma once
// The 802.1X page's rules, without widgets: which fields, tabs and certificate boxes each choice
// of method and inner method brings, the buttons' texts, and the moves between the page's choices
// and the stored EAP types.

#include <string_view>
#include <vector>

#include "station/dot1x/settings/Dot1xSettings.h"

namespace kavo9::dot1x {

// The page's menu choices.
enum TunnelChoice : int { kTunnelMsChapV2 = 0, kTunnelTls = 1, kTunnelTokenCard = 2 };
enum TtlsChoice : int {
  kTtlsChoiceChap = 0,
  kTtlsChoiceMsChap,
  kTtlsChoiceMsChapV2,
  kTtlsChoicePap,
  kTtlsChoiceMd5
};

struct Dot1xChoices {
  int method = kPeap;            // MethodChoice
  int tunnel = kTunnelMsChapV2;  // TunnelChoice: PEAP and EAP-FAST
  int ttls = kTtlsChoiceChap;    // TtlsChoice
  int provisioning = kTunnelMsChapV2;
  int passwordMode = 1;       // 0 soft token, 1 static password
  bool enhancedFast = false;  // the settings file's EAPFastEnhancement is "1"
};

enum class Dot1xTab { kIdentity, kClientCert, kServerCert, kEapFast };

// What the client certificate's box does under a choice.
enum class ClientCertRule {
  kOptional,            // the box is free; the list follows it
  kForcedOn,            // ticked and disabled, the list refreshed and enabled
  kUseCleared,          // cleared
  kUseAndServerCleared  // cleared, and so is the server check
};

struct Dot1xLayout {
  std::string_view methodText;
  bool tunnelEnabled = false;
  std::string_view tunnelText;  // empty while the button is disabled
  bool userPassword = false;
  bool domainName = false;
  bool tunnelId = false;
  bool tunnelPassword = false;
  bool passwordModeShown = false;
  ClientCertRule clientCert = ClientCertRule::kOptional;
  std::vector<Dot1xTab> tabs;  // in the order they stand
  // EAP-FAST tab: enhanced mode enables the provision mode box and shows the provisioning button.
  bool provisionModeEnabled = false;
  bool provisioningShown = false;
};

Dot1xLayout LayoutFor(const Dot1xChoices& choices);

// Choosing a method from the menu resets its inner choice.
void ChooseMethod(Dot1xChoices* choices, int method);

// The menu offers MD5-Challenge only with the 802.1X box ticked and open or shared
// authentication, or no or WEP encryption.
bool Md5Allowed(bool dot1xBox, bool openOrSharedAuth, bool noneOrWepEncryption);

// The page's choices from stored settings, and back.
Dot1xChoices ChoicesFrom(const Dot1xSettings& settings, bool enhancedFast);
void TakeChoices(const Dot1xChoices& choices, Dot1xSettings* settings);

// The EAP type of a tunnel choice, and back (an unknown type reads as EAP-MSCHAP v2).
int EapTypeOfTunnel(int tunnelChoice);
int TunnelOfEapType(int eapType);

}  // namespace kavo9::dot1x
