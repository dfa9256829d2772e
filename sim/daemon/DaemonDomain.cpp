// The daemon's "domain" command: the machine's domain as the scenario describes it, reached
// through the networks the adapters are associated with now.
#include "sim/daemon/DomainAnswers.h"
#include "sim/daemon/SystemDaemon.h"

namespace kavo9 {

void SystemDaemon::AddDomainCommands() {
  AddCommand("domain", [this](const nlohmann::json& request) {
    std::vector<std::string> associated;
    for (const AdapterLinkState& link : LinkStates()) {
      if (!link.connected) continue;
      if (const NetworkSpec* network = world_.Find(link.bssid)) associated.push_back(network->ssid);
    }
    return AnswerDomainRequest(domain_, associated, request);
  });
}

}  // namespace kavo9
