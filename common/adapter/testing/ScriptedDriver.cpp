#include "common/adapter/testing/ScriptedDriver.h"

#include <algorithm>

#include "common/platform/WinTypes.h"
#include "common/platform/fake/FakePlatform.h"

namespace kavo9 {

std::string DriverRequest::Name() const {
  const std::string_view name = RequestName(oid);
  return std::string(set ? "S " : "Q ") + (name.empty() ? std::to_string(oid) : std::string(name));
}

ScriptedDriver::~ScriptedDriver() {
  Unplug();
}

int32_t ScriptedDriver::Serve(uint32_t oid, std::span<uint8_t> out, uint32_t* count) {
  *count = 0;
  if (!present) return ERROR_DEVICE_NOT_CONNECTED;
  if (answer) return answer(oid, out, count);
  const bool set = (oid & kSetBit) != 0;
  const uint32_t code = oid & ~kSetBit;
  if (refused.count(code)) return ERROR_GEN_FAILURE;
  if (set) {
    lastSet[code].assign(out.begin(), out.end());
    return ERROR_SUCCESS;
  }
  if (refuseQueries) return ERROR_GEN_FAILURE;
  auto it = answers.find(code);
  if (it == answers.end()) return ERROR_GEN_FAILURE;
  const size_t n = std::min(out.size(), it->second.size());
  std::copy_n(it->second.begin(), n, out.begin());
  *count = uint32_t(n);
  return ERROR_SUCCESS;
}

bool ScriptedDriver::QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                                      uint32_t* bytesReturned) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  log.push_back({false, oid & ~kSetBit, std::vector<uint8_t>(bytes, bytes + length), 1, bytes,
                 clock_ ? clock_() : 0});
  if (bytesReturned) *bytesReturned = 0;
  uint32_t count = 0;
  const bool ok = Serve(oid & ~kSetBit, {bytes, length}, &count) == ERROR_SUCCESS;
  if (ok && bytesReturned) *bytesReturned = std::min(count, length);
  return ok;
}

bool ScriptedDriver::SetInformation(uint32_t oid, const void* buffer, uint32_t length,
                                    int attempts) {
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  std::vector<uint8_t> value(bytes, bytes + (bytes ? length : 0));
  log.push_back({true, oid & ~kSetBit, value, attempts, bytes, clock_ ? clock_() : 0});
  uint32_t count = 0;
  return Serve(oid | kSetBit, value, &count) == ERROR_SUCCESS;
}

void ScriptedDriver::PlugInto(FakeDeviceIo& io, std::string path) {
  Unplug();
  io_ = &io;
  path_ = std::move(path);
  io.devices[path_] = [this](uint32_t ioctl, std::span<const uint8_t> in, std::span<uint8_t> out,
                             uint32_t* count) {
    if (ioctl != IOCTL_NDIS_QUERY_GLOBAL_STATS || in.size() != 4) {
      return int32_t(ERROR_INVALID_PARAMETER);
    }
    const uint32_t oid =
        uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
    log.push_back({(oid & kSetBit) != 0,
                   oid & ~kSetBit,
                   {out.begin(), out.end()},
                   1,
                   out.data(),
                   clock_ ? clock_() : 0});
    return Serve(oid, out, count);
  };
}

void ScriptedDriver::Unplug() {
  if (io_) io_->devices.erase(path_);
  io_ = nullptr;
}

std::vector<std::string> ScriptedDriver::Names() const {
  std::vector<std::string> names;
  names.reserve(log.size());
  for (const auto& request : log) names.push_back(request.Name());
  return names;
}

size_t ScriptedDriver::Count(const std::string& name) const {
  return size_t(std::count_if(log.begin(), log.end(),
                              [&](const DriverRequest& r) { return r.Name() == name; }));
}

std::vector<uint32_t> ScriptedDriver::Sets() const {
  std::vector<uint32_t> codes;
  for (const auto& request : log) {
    if (request.set) codes.push_back(request.oid);
  }
  return codes;
}

const DriverRequest* ScriptedDriver::LastSet(uint32_t oid) const {
  for (auto it = log.rbegin(); it != log.rend(); ++it) {
    if (it->set && it->oid == (oid & ~kSetBit)) return &*it;
  }
  return nullptr;
}

}  // namespace kavo9
