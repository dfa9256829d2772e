#pragma once
// How the machine's domain answers: the controller look-up and the opening of a file on the
// network, decided from the scenario's domain and the networks the adapters are associated with.
// Plain functions over JSON requests, so the rules are tested without a daemon; the daemon's
// "domain" command hands its requests here (DaemonDomain.cpp).
//
//   {"op":"dc","domain":NAME}   -> {"error":CODE,"controller":"\\DC1","address":"\\10.0.0.2",
//                                   "domain":FLAT NAME}
//   {"op":"open","path":PATH}   -> {"error":CODE}; 0 only when the file would open
//   {"op":"info"}               -> {"name":FLAT NAME,"dnsName":...}; nothing without a domain

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/emulator/Scenario.h"

namespace kavo9 {

// `associated` holds the SSIDs of the networks the machine's adapters are associated with now.
// The reply carries "ok": false with an "error" text only for a malformed request.
nlohmann::json AnswerDomainRequest(const std::optional<DomainSpec>& domain,
                                   const std::vector<std::string>& associated,
                                   const nlohmann::json& request);

}  // namespace kavo9
