#include "common/adapter/RegistryServiceClient.h"

#include <unistd.h>

#include <cerrno>

#include "common/platform/simulated/UnixSocket.h"
#include "common/platform/WinTypes.h"

namespace kavo9 {
namespace {

// A service that does not answer a call within this time is treated as not there.
constexpr int kCallTimeoutMs = 10'000;

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
  int fd = ConnectUnixSocket(socketPath_);
  if (fd < 0) return RPC_S_NOT_LISTENING;
  std::vector<uint8_t> frame = EncodeServiceRequest(request);
  int32_t status = RPC_S_NOT_LISTENING;
  if (SendAll(fd, frame.data(), frame.size())) {
    std::vector<uint8_t> reply;
    while (ReceiveSome(fd, &reply, kCallTimeoutMs)) {
      ServiceDecode result = DecodeServiceReply(reply, &status);
      if (result == ServiceDecode::kComplete) break;
      if (result == ServiceDecode::kMalformed) {
        status = ERROR_GEN_FAILURE;
        break;
      }
    }
  }
  ::close(fd);
  return status;
}

}  // namespace kavo9
