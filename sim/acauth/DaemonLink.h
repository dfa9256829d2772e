#pragma once
// The supplicant library's own connection to the system daemon: one JSON line per request to
// the control socket <machine>/run/simd.sock, answered by one line (DaemonAuthenticator.cpp).

#include <filesystem>
#include <optional>

#include <nlohmann/json.hpp>

namespace kavo9::acauth {

class DaemonLink {
 public:
  explicit DaemonLink(std::filesystem::path machineDir) : machine_(std::move(machineDir)) {}
  // The daemon's answer when it said "ok": true; nullopt when it refused or could not be
  // reached within the deadline.
  std::optional<nlohmann::json> Ask(nlohmann::json request) const;

 private:
  std::filesystem::path machine_;
};

// A field of an answer, or the default when it is missing or of another type: what the daemon
// sends is read without trusting its shape.
std::string TextField(const nlohmann::json& object, const char* key);
bool FlagField(const nlohmann::json& object, const char* key);
uint32_t NumberField(const nlohmann::json& object, const char* key);

}  // namespace kavo9::acauth
