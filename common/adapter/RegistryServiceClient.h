#pragma once
// The client of the privileged registry service: a binding to its endpoint and synchronous calls.

#include <filesystem>

#include "common/adapter/RegistryServiceProtocol.h"

namespace kavo9 {

class RegistryServiceClient {
 public:
  virtual ~RegistryServiceClient() = default;
  // Binds to the endpoint and asks whether the service listens. True when bound; a service that
  // is not listening (not installed, not running) leaves the client unbound.
  virtual bool Bind() = 0;
  virtual bool IsBound() const = 0;
  virtual void Unbind() = 0;
  // Makes one call and waits for its answer: the service's status, RPC_S_NOT_LISTENING when the
  // service could not be reached or did not answer in time, or RPC_S_SERVER_TOO_BUSY when it
  // stayed too busy to take the call.
  virtual int32_t Call(const ServiceRequest& request) = 0;
};

// The service on a machine's Unix socket (see RegistryServiceSocket). Each call is one connection
// with one deadline for all of it (a second and a half), however the service trickles its
// answer; a call the service refuses as busy is tried again within that deadline.
class SocketRegistryServiceClient : public RegistryServiceClient {
 public:
  explicit SocketRegistryServiceClient(std::filesystem::path socketPath);
  bool Bind() override;
  bool IsBound() const override { return bound_; }
  void Unbind() override { bound_ = false; }
  int32_t Call(const ServiceRequest& request) override;

 private:
  std::filesystem::path socketPath_;
  bool bound_ = false;
};

}  // namespace kavo9
