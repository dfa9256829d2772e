#pragma once
// Who is at the other end of a device connection, so that the request log can name the sender.

#include <string>

namespace kavo9 {

// The name of the process at the other end of a Unix socket (its /proc/<pid>/comm); "" when it
// cannot be told.
std::string PeerProcessName(int fd);

}  // namespace kavo9
