#pragma once
// The daemon's 802.1X servers: one realm per network name and server settings (its users,
// certificates and EAP-FAST secret, made when a station first asks), and one conversation per
// adapter, bound to the access point it was started with.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "sim/daemon/eap/EapServer.h"

namespace kavo9::eap {

class EapSessions {
 public:
  explicit EapSessions(std::filesystem::path machineDir) : machineDir_(std::move(machineDir)) {}

  struct Reply {
    nlohmann::json message;    // null: the server does not answer
    std::string error;         // the request could not be served
    std::optional<Bytes> msk;  // set when the conversation ended in success
  };
  // A new conversation on `adapter` with the server behind `network`.
  Reply Start(const std::string& adapter, const NetworkSpec& network);
  // The station's next message of the conversation on `adapter`.
  Reply Step(const std::string& adapter, const NetworkSpec& network, const nlohmann::json& message);

 private:
  ServerRealm* RealmOf(const NetworkSpec& network, std::string* error);
  bool LoadSecret(std::string* error);

  struct Conversation {
    MacAddress bssid{};
    std::unique_ptr<EapServer> server;
  };
  std::filesystem::path machineDir_;
  Bytes secret_;
  std::map<std::string, ServerRealm> realms_;          // by SSID and settings
  std::map<std::string, Conversation> conversations_;  // by adapter
};

}  // namespace kavo9::eap
