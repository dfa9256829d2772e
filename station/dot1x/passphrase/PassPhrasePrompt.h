#pragma once
// The site survey's security step for a WPA-PSK or WPA2-PSK network (the security editor's
// panel): it asks for the pass phrase, checks it (8 to 63 printable characters, or 64
// hexadecimal digits), and connects with it. The method follows the network's authentication
// (WPA2-PSK before WPA-PSK where it offers both), the cipher AES before TKIP.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "station/networks/connect/RecordBuilders.h"
#include "station/shell/LangKeys.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9::dot1x {

// The choices a survey connection to `selection` takes, without the pass phrase; nullopt for a
// network that is not a pre-shared-key network.
std::optional<connect::SecurityChoices> PskChoicesFor(const SurveySelection& selection);

class PassPhrasePrompt : public SecurityEditorPort {
 public:
  struct Host {
    std::function<void()> showPanel;
    std::function<void()> returnToPages;
    std::function<void(LangKey)> showMessage;
    std::function<void(const SurveySelection&, const connect::SecurityChoices&)> connect;
  };

  void SetHost(Host host) { host_ = std::move(host); }

  // SecurityEditorPort: a pre-shared-key network opens the prompt; other networks need the
  // full editor.
  void Show(const SurveySelection& selection) override;

  // The network asked about, as its SSID reads.
  std::string Ssid() const;
  // OK: false (and the rule's message) when the pass phrase is not a key.
  bool Ok(std::string_view passPhrase);
  void Cancel();
  bool Pending() const { return choices_.has_value(); }

 private:
  Host host_;
  SurveySelection selection_;
  std::optional<connect::SecurityChoices> choices_;
};

}  // namespace kavo9::dot1x
