#include "sim/acauth/DaemonLink.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "common/platform/simulated/UnixSocket.h"

namespace kavo9::acauth {
namespace {

constexpr int kDeadlineMs = 2000;
constexpr size_t kMaxReplyBytes = 1 << 20;

}  // namespace

std::optional<nlohmann::json> DaemonLink::Ask(nlohmann::json request) const {
  const int fd = ConnectUnixSocket(machine_ / "run" / "simd.sock");
  if (fd < 0) return std::nullopt;
  // Texts the program handed over need not be UTF-8; they must not stop the request.
  const std::string line =
      request.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  std::vector<uint8_t> reply;
  const Deadline deadline(kDeadlineMs);
  bool ok = SendAll(fd, reinterpret_cast<const uint8_t*>(line.data()), line.size(), deadline);
  while (ok && reply.size() < kMaxReplyBytes &&
         std::find(reply.begin(), reply.end(), uint8_t('\n')) == reply.end()) {
    ok = ReceiveSome(fd, &reply, deadline);
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  nlohmann::json answer = nlohmann::json::parse(reply.begin(), reply.end(), nullptr, false);
  if (!answer.is_object() || !FlagField(answer, "ok")) return std::nullopt;
  return answer;
}

std::string TextField(const nlohmann::json& object, const char* key) {
  auto it = object.is_object() ? object.find(key) : object.end();
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

bool FlagField(const nlohmann::json& object, const char* key) {
  auto it = object.is_object() ? object.find(key) : object.end();
  return it != object.end() && it->is_boolean() && it->get<bool>();
}

uint32_t NumberField(const nlohmann::json& object, const char* key) {
  auto it = object.is_object() ? object.find(key) : object.end();
  return it != object.end() && it->is_number_unsigned() ? it->get<uint32_t>() : 0;
}

}  // namespace kavo9::acauth
