#pragma once
// The control socket's replies: {"ok": true, ...} or {"ok": false, "error": ...}.

#include <nlohmann/json.hpp>
#include <string>

namespace kavo9::daemonreply {

inline nlohmann::json Ok(nlohmann::json body = nlohmann::json::object()) {
  body["ok"] = true;
  return body;
}

inline nlohmann::json Error(const std::string& message) {
  return {{"ok", false}, {"error", message}};
}

}  // namespace kavo9::daemonreply
