#pragma once
// The registry service's endpoint: a Unix stream socket that many programs may use at once.

#include <atomic>
#include <filesystem>
#include <string>

#include "sim/regsvc/RegistryService.h"

namespace kavo9 {

class ServiceServer {
 public:
  explicit ServiceServer(RegistryService& service) : service_(service) {}
  ~ServiceServer();
  ServiceServer(const ServiceServer&) = delete;
  ServiceServer& operator=(const ServiceServer&) = delete;

  // Creates the socket (replacing a stale one) and listens. False with `error` set on failure.
  bool Listen(const std::filesystem::path& socketPath, std::string* error);
  // Serves connections until `stop` is set (checked a few times a second).
  void Run(const std::atomic<bool>& stop);

 private:
  RegistryService& service_;
  std::filesystem::path socketPath_;
  int listener_ = -1;
};

}  // namespace kavo9
