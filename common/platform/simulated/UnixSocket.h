#pragma once
// Small blocking helpers for the local stream sockets the simulated machine's services use.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace kavo9 {

// Connects to a Unix stream socket. -1 on failure with `error` (optional) set to errno.
int ConnectUnixSocket(const std::filesystem::path& path, int* error = nullptr);
// Sends all bytes; false when the peer went away.
bool SendAll(int fd, const uint8_t* data, size_t length);
// Receives what is there, waiting at most `timeoutMs`; appends to `buffer`. False on timeout,
// error or end of stream.
bool ReceiveSome(int fd, std::vector<uint8_t>* buffer, int timeoutMs);
// Whether a kept request/reply connection can carry another request: nothing may be waiting on
// it. The daemons never speak first, so anything readable is their hang-up (or garbage).
bool StillOpen(int fd);

}  // namespace kavo9
