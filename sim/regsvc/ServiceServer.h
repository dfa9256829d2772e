#pragma once
// The registry service's endpoint: a Unix stream socket that many programs may use at once.
//
// One thread serves every connection. None can hold the others up: each connection has its own
// deadlines in real time (a silent one is dropped after the idle limit, a request must arrive
// whole within the request limit of its first byte, replies must be taken within the same limit),
// replies are sent without blocking, and when every slot is taken the longest-idle connection
// makes room. Only when every slot is in the middle of a request is a new caller refused, with a
// "busy" reply (RPC_S_SERVER_TOO_BUSY) it can tell from a service that is not there.
// Each connection's caller is known by its peer credentials (uid, pid), for the log.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "sim/regsvc/RegistryService.h"

namespace kavo9 {

class ServiceServer {
 public:
  struct Limits {
    size_t maxClients = 512;
    int idleMs = 5000;     // a connection with no request under way
    int requestMs = 2000;  // from a request's first byte to its reply taken by the caller
    size_t maxPendingReply = 64 * 1024;
  };

  explicit ServiceServer(RegistryService& service) : ServiceServer(service, Limits{}) {}
  ServiceServer(RegistryService& service, Limits limits) : service_(service), limits_(limits) {}
  ~ServiceServer();
  ServiceServer(const ServiceServer&) = delete;
  ServiceServer& operator=(const ServiceServer&) = delete;

  // Creates the socket (replacing a stale one) and listens. False with `error` set on failure.
  bool Listen(const std::filesystem::path& socketPath, std::string* error);
  // Serves connections until `stop` is set (checked a few times a second).
  void Run(const std::atomic<bool>& stop);

 private:
  struct Client;
  void Accept(std::vector<Client>& clients, uint64_t now);
  // Reads what arrived and answers every complete request; false when the connection must go.
  bool Serve(Client& client, uint64_t now);
  // Sends what is pending without waiting; false when the connection must go.
  bool Flush(Client& client);
  bool Expired(const Client& client, uint64_t now) const;

  RegistryService& service_;
  Limits limits_;
  std::filesystem::path socketPath_;
  int listener_ = -1;
};

}  // namespace kavo9
