#include "common/adapter/RegistryServiceClient.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "common/platform/WinTypes.h"
#include "common/platform/simulated/UnixSocket.h"

namespace kavo9 {
namespace {

// The whole of one call, retries included: the programs wait for it on their user-interface
// thread, and a service that takes longer is treated as not there.
constexpr int kCallDeadlineMs = 1500;
// A service that is full answers "busy" at once; the call is tried again after this pause.
constexpr int kBusyPauseMs = 20;

// One exchange on a new connection: the service's status, RPC_S_NOT_LISTENING when nobody
// answered, or RPC_S_SERVER_TOO_BUSY when the service had no room for the call.
int32_t Exchange(const std::filesystem::path& socketPath, const std::vector<uint8_t>& frame,
                 const Deadline& deadline) {
  int fd = ConnectUnixSocket(socketPath);
  if (fd < 0) return RPC_S_NOT_LISTENING;
  int32_t status = RPC_S_NOT_LISTENING;
  std::vector<uint8_t> reply;
  // A full service answers before it reads anything, so its answer counts even when the
  // request could not be sent whole.
  const bool sent = SendAll(fd, frame.data(), frame.size(), deadline);
  while (ReceiveSome(fd, &reply, deadline)) {
    ServiceDecode result = DecodeServiceReply(reply, &status);
    if (result == ServiceDecode::kComplete) break;
    if (result == ServiceDecode::kMalformed) {
      status = ERROR_GEN_FAILURE;
      break;
    }
  }
  ::close(fd);
  if (!sent && status != RPC_S_SERVER_TOO_BUSY) return RPC_S_NOT_LISTENING;
  return status;
}

}  // namespace

SocketRegistryServiceClient::SocketRegistryServiceClient(std::filesystem::path socketPath)
    : socketPath_(std::move(socketPath)) {}

bool SocketRegistryServiceClient::Bind() {
  int error = 0;
  int fd = ConnectUnixSocket(socketPath_, &error);
  if (fd >= 0) {
    ::close(fd);
    bound_ = true;
  } else {
    // No socket file, or nobody accepting on it: the service is not listening. Anything else
    // (a socket we may not use, say) leaves the binding in place, and the calls will tell.
    bound_ = !(error == ENOENT || error == ECONNREFUSED || error == ENAMETOOLONG);
  }
  return bound_;
}

int32_t SocketRegistryServiceClient::Call(const ServiceRequest& request) {
  const std::vector<uint8_t> frame = EncodeServiceRequest(request);
  const Deadline deadline(kCallDeadlineMs);
  bool busyBefore = false;
  for (;;) {
    int32_t status = Exchange(socketPath_, frame, deadline);
    // A service that said "busy" and then ran out the call's time is still busy, not gone:
    // the last try can end unanswered only because too little of the deadline was left.
    if (status == RPC_S_NOT_LISTENING && busyBefore && deadline.Passed())
      return RPC_S_SERVER_TOO_BUSY;
    if (status != RPC_S_SERVER_TOO_BUSY) return status;
    busyBefore = true;
    if (deadline.RemainingMs() <= kBusyPauseMs) return status;
    ::poll(nullptr, 0, kBusyPauseMs);
  }
}

}  // namespace kavo9
