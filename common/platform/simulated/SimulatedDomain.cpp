#include "common/platform/simulated/SimulatedDomain.h"

namespace kavo9 {
namespace {

std::string Text(const nlohmann::json& reply, const char* name) {
  auto it = reply.find(name);
  return it != reply.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// The daemon's error code; a reply without a usable one counts as `fallback`.
uint32_t ErrorOf(const nlohmann::json& reply, uint32_t fallback) {
  auto it = reply.find("error");
  if (it == reply.end() || !it->is_number_unsigned()) return fallback;
  return it->get<uint32_t>();
}

}  // namespace

SimulatedDomain::SimulatedDomain(std::filesystem::path machineDir)
    : daemon_(machineDir / "run" / "simd.sock") {}

uint32_t SimulatedDomain::DsGetDcName(std::string_view domainName, uint32_t flags,
                                      DomainControllerInfo* info) {
  nlohmann::json reply;
  const nlohmann::json request{
      {"cmd", "domain"}, {"op", "dc"}, {"domain", std::string(domainName)}, {"flags", flags}};
  if (!daemon_.Call(request, &reply)) return ERROR_NO_SUCH_DOMAIN;
  const uint32_t error = ErrorOf(reply, ERROR_NO_SUCH_DOMAIN);
  if (error != 0) return error;
  DomainControllerInfo found{Text(reply, "controller"), Text(reply, "address"),
                             Text(reply, "domain")};
  // A controller name always carries its two leading backslashes.
  if (!found.DomainControllerName.starts_with("\\\\")) return ERROR_NO_SUCH_DOMAIN;
  *info = std::move(found);
  return 0;
}

Domain::FileHandle SimulatedDomain::OpenNetworkFile(std::string_view path, uint32_t* lastError) {
  nlohmann::json reply;
  const nlohmann::json request{{"cmd", "domain"}, {"op", "open"}, {"path", std::string(path)}};
  *lastError =
      daemon_.Call(request, &reply) ? ErrorOf(reply, ERROR_BAD_NETPATH) : ERROR_BAD_NETPATH;
  if (*lastError != 0) return kNoFile;
  std::lock_guard lock(mutex_);
  const FileHandle handle = next_++;
  open_.insert(handle);
  return handle;
}

void SimulatedDomain::CloseFile(FileHandle file) {
  std::lock_guard lock(mutex_);
  open_.erase(file);
}

}  // namespace kavo9
