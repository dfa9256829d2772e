#pragma once
// The 802.1X page as a whole, without widgets: the method and inner choices, the four tabs'
// values, the two certificate lists with their selections, and what the choices force on the
// page (fields in use, visible tabs, the certificate boxes). Both editors own one; the windows
// show its state and turn the user's changes into its calls.

#include <optional>
#include <string>
#include <string_view>

#include "common/platform/CertStore.h"
#include "station/dot1x/settings/CertChoice.h"
#include "station/dot1x/settings/Dot1xPage.h"
#include "station/dot1x/settings/Dot1xSettings.h"
#include "station/dot1x/settings/Dot1xValidation.h"

namespace kavo9::dot1x {

// The longest PAC file path the page keeps.
inline constexpr std::size_t kMaxPacPath = 255;

enum class Dot1xText {
  kUserId,
  kUserPassword,
  kTunnelId,
  kTunnelPassword,
  kDomainName,
  kServerName,
  kPacPath
};

struct Dot1xPageValues {
  Dot1xChoices choices;
  bool sessionResumption = true;
  // Identity tab.
  std::string userId;
  std::string userPassword;
  std::string tunnelId;
  std::string tunnelPassword;
  std::string domainName;
  bool showPassword = false;
  // EAP-FAST tab.
  std::string pacPath;
  bool provisionMode = true;
  bool usePac = true;
  // Client certificate tab.
  bool useClientCert = false;
  int useSmartCard = 0;
  // Server certificate tab.
  bool useServerCert = false;
  bool intermediateCert = false;
  int nameRule = 0;
  std::string serverName;
};

// Which controls are in use beside what the layout of the choices says.
struct Dot1xPageView {
  Dot1xLayout layout;
  bool md5Offered = false;         // the method menu's MD5-Challenge entry
  bool clientBoxEnabled = true;    // "Use Client certification"
  bool clientListEnabled = false;  // the list, its labels and the four texts
  bool serverControlsEnabled = false;
  bool pacControlsEnabled = false;  // "Import", "Remove", the path and its label
};

class Dot1xPageModel {
 public:
  // `certs` may be null (no stores: the lists stay empty). `enhancedFast` is the settings file's
  // EAP-FAST mode.
  Dot1xPageModel(const CertStore* certs, bool enhancedFast, ShortDate date = DefaultShortDate);

  // Reset8021XPage: the page's defaults.
  void Reset();
  // Load8021XPage: the page filled from stored settings.
  void Load(const Dot1xSettings& settings);
  // ApplyMethodChoice: what the current choices force on the page, without resetting them.
  void ApplyMethodChoice();

  // The menus. A method from the menu resets its inner choice; every choice selects the identity
  // tab. MD5-Challenge is refused while the menu does not offer it.
  void ChooseMethod(int method);
  void ChooseTunnel(int tunnel);
  void ChooseTtls(int ttls);
  void ChooseProvisioning(int provisioning);
  // Whether the method menu offers MD5-Challenge, worked out by the host each time the page is
  // shown.
  void SetMd5Offered(bool offered) { md5Offered_ = offered; }
  bool MethodIsMd5() const { return v_.choices.method == kMd5Challenge; }

  void SetText(Dot1xText field, std::string_view text);
  void SetSessionResumption(bool on) { v_.sessionResumption = on; }
  void SetShowPassword(bool on) { v_.showPassword = on; }
  // Soft token (0) or static password (1); either selects the identity tab.
  void SetPasswordMode(int mode);
  void SetProvisionMode(bool on) { v_.provisionMode = on; }
  void SetUsePac(bool on) { v_.usePac = on; }

  // Ticking a certificate box reads its store again; a row is chosen by its position in the list.
  void SetUseClientCert(bool on);
  void ChooseClientRow(int row);
  void SetUseServerCert(bool on);
  void ChooseServerRow(int row);
  void SetIntermediateCert(bool on) { v_.intermediateCert = on; }
  void SetNameRule(int rule) { v_.nameRule = rule == 1 ? 1 : 0; }

  void SelectTab(Dot1xTab tab);
  Dot1xTab CurrentTab() const { return tab_; }

  // Validate8021XPage: the first rule the page breaks.
  std::optional<Dot1xProblem> Validate() const;
  // Take8021XChoices: the page copied into `settings` (fields the page does not hold are kept).
  void Take(Dot1xSettings* settings) const;

  const Dot1xPageValues& Values() const { return v_; }
  Dot1xPageView View() const;
  const CertChoice& ClientCerts() const { return client_; }
  const CertChoice& ServerCerts() const { return server_; }

 private:
  void RefreshClient();
  void RefreshServer();

  const CertStore* certs_;
  ShortDate date_;
  Dot1xPageValues v_;
  CertChoice client_;
  CertChoice server_;
  Dot1xTab tab_ = Dot1xTab::kIdentity;
  bool md5Offered_ = false;
};

}  // namespace kavo9::dot1x
