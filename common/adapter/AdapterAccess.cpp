#include "common/adapter/AdapterAccess.h"

#include <algorithm>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/WindowsVersion.h"

namespace kavo9 {
namespace {

constexpr uint32_t kMaxNetworkTypes = 4;

// Closes the device when the request is done, whatever happened.
class DeviceHandle {
 public:
  DeviceHandle(DeviceIo& io, const std::string& path) : io_(io), handle_(io.Open(path)) {}
  ~DeviceHandle() {
    if (valid()) io_.Close(handle_);
  }
  DeviceHandle(const DeviceHandle&) = delete;
  DeviceHandle& operator=(const DeviceHandle&) = delete;
  bool valid() const { return handle_ != DeviceIo::kInvalidHandle; }
  DeviceIo::Handle get() const { return handle_; }

 private:
  DeviceIo& io_;
  DeviceIo::Handle handle_;
};

}  // namespace

AdapterAccess::AdapterAccess(Platform& platform, Utility utility)
    : platform_(platform), utility_(utility) {}

AdapterAccess::~AdapterAccess() {
  DrainSetRetryQueue();
}

bool AdapterAccess::Control(DeviceIo::Handle handle, uint32_t oid, void* buffer, uint32_t length,
                            uint32_t* bytesReturned) {
  uint32_t count = 0;
  bool ok = platform_.deviceIo->Control(handle, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof(oid),
                                        length ? buffer : nullptr, length, &count);
  // The device layer promises never to report more than the buffer holds; a count beyond it
  // would send callers reading past their buffer, so it is held to the buffer here as well.
  *bytesReturned = std::min(count, length);
  return ok;
}

bool AdapterAccess::QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                                     uint32_t* bytesReturned) {
  uint32_t ignored = 0;
  if (bytesReturned == nullptr) bytesReturned = &ignored;
  DeviceHandle device(*platform_.deviceIo, adapterDevicePath_);
  if (!device.valid()) return false;
  *bytesReturned = 0;
  return Control(device.get(), oid, buffer, length, bytesReturned);
}

bool AdapterAccess::SetInformation(uint32_t oid, const void* buffer, uint32_t length,
                                   int attempts) {
  uint32_t returned = 0;
  uint32_t* bytesReturned = &returned;
  if (buffer == nullptr) length = 0;
  DeviceHandle device(*platform_.deviceIo, adapterDevicePath_);
  if (!device.valid()) return false;

  oid |= kSetBit;
  --attempts;
  *bytesReturned = 0;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  // The device may write a reply into the value's buffer; it gets a copy of its own so the
  // caller's value (possibly read-only data) is never touched.
  std::vector<uint8_t> value(bytes, bytes + length);
  if (Control(device.get(), oid, value.data(), length, bytesReturned)) return true;
  if (attempts <= 0) return false;

  SetInformationData entry;
  entry.Oid = oid;
  entry.Buffer.assign(bytes, bytes + length);
  entry.BufferLength = length;
  entry.BytesReturned = *bytesReturned;
  entry.AttemptsLeft = attempts;
  entry.TimerId = platform_.loop->SetThreadTimer(kSetRetryIntervalMs,
                                                 [this](TimerId id) { SetRetryTimerProc(id); });
  setRetryQueue_.push_back(std::move(entry));
  return false;
}

void AdapterAccess::RemoveEntry(size_t index) {
  platform_.loop->KillThreadTimer(setRetryQueue_[index].TimerId);
  setRetryQueue_.erase(setRetryQueue_.begin() + static_cast<ptrdiff_t>(index));
}

void AdapterAccess::SetRetryTimerProc(TimerId id) {
  auto it = std::find_if(setRetryQueue_.begin(), setRetryQueue_.end(),
                         [id](const SetInformationData& e) { return e.TimerId == id; });
  if (it == setRetryQueue_.end()) {
    platform_.loop->KillThreadTimer(id);
    return;
  }
  size_t index = static_cast<size_t>(it - setRetryQueue_.begin());
  if (it->AttemptsLeft <= 0) {
    RemoveEntry(index);
    return;
  }
  DeviceHandle device(*platform_.deviceIo, adapterDevicePath_);
  if (!device.valid()) {
    // The adapter has gone: nothing queued for it can arrive any more.
    while (!setRetryQueue_.empty()) RemoveEntry(0);
    return;
  }
  SetInformationData& entry = setRetryQueue_[index];
  entry.BytesReturned = 0;
  bool ok = Control(device.get(), entry.Oid, entry.Buffer.data(), entry.BufferLength,
                    &entry.BytesReturned);
  if (!ok) --entry.AttemptsLeft;
  if (ok || entry.AttemptsLeft <= 0) RemoveEntry(index);
}

void AdapterAccess::DrainSetRetryQueue() {
  // The timers go with their entries, so none can fire into an owner that is gone.
  while (!setRetryQueue_.empty()) RemoveEntry(0);
}

bool AdapterAccess::IsAdapterPresent() {
  DeviceHandle device(*platform_.deviceIo, adapterDevicePath_);
  return device.valid();
}

void AdapterAccess::DetectWindowsVersion() {
  windowsVersionCode_ = ClassifyWindowsVersion(*platform_.system);
}

void AdapterAccess::Publish(std::string devicePath, AdapterIdentity identity) {
  adapterDevicePath_ = std::move(devicePath);
  identity_ = std::move(identity);
}

bool AdapterAccess::ReadDriverVersion() {
  uint8_t value[2] = {0, 0};
  if (!kavo9::QueryRecord(*this, OID_GEN_DRIVER_VERSION, value, sizeof(value), sizeof(value))) {
    driverVersion_ = 0;
    return false;
  }
  driverVersion_ = static_cast<uint16_t>(value[0] | value[1] << 8);
  return true;
}

bool AdapterAccess::ReadSupportedNetworkTypes() {
  uint8_t value[4 + 4 * kMaxNetworkTypes] = {};
  uint32_t returned = 0;
  networkTypes_ = 0;
  if (!QueryInformation(OID_802_11_NETWORK_TYPES_SUPPORTED, value, sizeof(value), &returned) ||
      returned < 4) {
    return false;
  }
  auto le32 = [&](size_t at) {
    return uint32_t(value[at]) | uint32_t(value[at + 1]) << 8 | uint32_t(value[at + 2]) << 16 |
           uint32_t(value[at + 3]) << 24;
  };
  // Only entries the driver actually returned count, and never more than four.
  uint32_t count = std::min({le32(0), kMaxNetworkTypes, (returned - 4) / 4});
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t type = le32(4 + 4 * i);
    if (type < 32) networkTypes_ |= 1u << type;
  }
  return true;
}

}  // namespace kavo9
