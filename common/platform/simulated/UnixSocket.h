#pragma once
// Small helpers for the local stream sockets the simulated machine's services use.
//
// A request to a peer has one deadline for the whole exchange, not a time limit per read: a peer
// that trickles its answer a byte at a time must not hold the caller for longer than that.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace kavo9 {

// The moment an exchange with a peer must be over, on the monotonic clock.
class Deadline {
 public:
  explicit Deadline(int milliseconds)
      : end_(std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds)) {}
  // Milliseconds left, 0 once it has passed; what poll() is given.
  int RemainingMs() const;
  bool Passed() const { return RemainingMs() == 0; }

 private:
  std::chrono::steady_clock::time_point end_;
};

// Connects to a Unix stream socket. -1 on failure with `error` (optional) set to errno.
int ConnectUnixSocket(const std::filesystem::path& path, int* error = nullptr);
// Sends all bytes; false when the peer went away.
bool SendAll(int fd, const uint8_t* data, size_t length);
// Sends all bytes before `deadline`; false when the peer went away or does not take them in time.
bool SendAll(int fd, const uint8_t* data, size_t length, const Deadline& deadline);
// Receives what is there, waiting at most `timeoutMs`; appends to `buffer`. False on timeout,
// error or end of stream.
bool ReceiveSome(int fd, std::vector<uint8_t>* buffer, int timeoutMs);
// Receives what is there, waiting until `deadline` at the latest; appends to `buffer`. False when
// the deadline passed first, on error or at the end of the stream.
bool ReceiveSome(int fd, std::vector<uint8_t>* buffer, const Deadline& deadline);
// Whether a kept request/reply connection can carry another request: nothing may be waiting on
// it. The daemons never speak first, so anything readable is their hang-up (or garbage).
bool StillOpen(int fd);

}  // namespace kavo9
