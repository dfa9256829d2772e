#include "sim/emulator/AdapterEmulator.h"

#include <algorithm>

#include "common/platform/DeviceIo.h"
#include "common/platform/WinTypes.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "sim/emulator/areas/AccessPointArea.h"
#include "sim/emulator/areas/BlockAckArea.h"
#include "sim/emulator/areas/ConnectionArea.h"
#include "sim/emulator/areas/CountersArea.h"
#include "sim/emulator/areas/IdentityArea.h"
#include "sim/emulator/areas/KeysArea.h"
#include "sim/emulator/areas/LinkQualityArea.h"
#include "sim/emulator/areas/RadioArea.h"
#include "sim/emulator/areas/RegistersArea.h"
#include "sim/emulator/areas/StationOptionsArea.h"
#include "sim/emulator/areas/WmmArea.h"
#include "sim/emulator/areas/WpsArea.h"

namespace kavo9 {

AdapterEmulator::AdapterEmulator(AdapterSpec spec, const World& world, Clock clock, RequestLog* log)
    : ctx_(std::move(spec), world, std::move(clock)),
      log_(log),
      routes_(RequestCatalogue().size(), nullptr) {
  RegisterAreas();
  Load(ctx_.spec.parameters);
}

AdapterEmulator::~AdapterEmulator() = default;

// The areas, one line each. Their order is the order of Load and Advance: the scan completes
// before the link is checked against the world, and the counters count only a link that held.
void AdapterEmulator::RegisterAreas() {
  Add<emu::IdentityArea>();
  Add<emu::RadioArea>();
  Add<emu::KeysArea>();
  scan_ = Add<emu::ScanArea>();
  Add<emu::ConnectionArea>();
  Add<emu::LinkQualityArea>();
  Add<emu::CountersArea>();
  Add<emu::RegistersArea>();
  Add<emu::StationOptionsArea>();
  Add<emu::WmmArea>();
  ap_ = Add<emu::AccessPointArea>();
  Add<emu::BlockAckArea>()->SetAccessPointPeers([this] {
    std::vector<MacAddress> peers;
    for (const auto& station : ap_->stations()) peers.push_back(station.spec.mac);
    return peers;
  });
  wps_ = Add<emu::WpsArea>();
}

void AdapterEmulator::PressWpsButton() {
  wps_->PressButton();
}

void AdapterEmulator::SetReconfigure(emu::EmulatorContext::Reconfigure reconfigure) {
  ctx_.reconfigure = std::move(reconfigure);
}

void AdapterEmulator::SetHardwareRadio(bool on) {
  ctx_.hardwareRadioOn = on;
  if (!on) ctx_.Disconnect();
}

template <typename Area>
Area* AdapterEmulator::Add() {
  auto area = std::make_unique<Area>(ctx_);
  Area* raw = area.get();
  for (uint32_t code : raw->Codes()) {
    const RequestInfo* info = FindRequest(code);
    emu::EmulatorArea** route = info ? &routes_[size_t(info - RequestCatalogue().data())] : nullptr;
    if (!route || *route) {
      ++clashes_;
    } else {
      *route = raw;
    }
  }
  areas_.push_back(std::move(area));
  return raw;
}

void AdapterEmulator::Load(const Parameters& parameters) {
  ctx_.Load(parameters);
  store_.Load();
  for (const auto& area : areas_) area->Load();
}

void AdapterEmulator::FailNext(uint32_t code, int count) {
  code &= ~kSetBit;
  if (count <= 0)
    failArmed_.erase(code);
  else
    failArmed_[code] = count;
}

int AdapterEmulator::FailuresFired(uint32_t code) const {
  auto it = failFired_.find(code & ~kSetBit);
  return it == failFired_.end() ? 0 : it->second;
}

int AdapterEmulator::FailuresArmed(uint32_t code) const {
  auto it = failArmed_.find(code & ~kSetBit);
  return it == failArmed_.end() ? 0 : it->second;
}

bool AdapterEmulator::TakeArmedFault(uint32_t code) {
  auto armed = failArmed_.find(code);
  if (armed == failArmed_.end()) return false;
  ++failFired_[code];
  if (--armed->second <= 0) failArmed_.erase(armed);
  return true;
}

void AdapterEmulator::Log(uint32_t code, bool set, std::span<const uint8_t> value, uint32_t length,
                          int32_t result) {
  if (!log_) return;
  RequestLogEntry e;
  e.timeMs = ctx_.Now();
  e.adapter = ctx_.spec.name;
  e.process = caller_;
  e.code = code;
  e.set = set;
  e.length = length;
  const size_t logged = std::min<size_t>(value.size(), RequestLog::kMaxLoggedValue);
  e.value.assign(value.begin(), value.begin() + long(logged));
  e.truncated = logged < value.size();
  e.result = result;
  log_->Add(std::move(e));
}

bool AdapterEmulator::HasArea(uint32_t code) const {
  const RequestInfo* info = FindRequest(code);
  return info && routes_[size_t(info - RequestCatalogue().data())] != nullptr;
}

int32_t AdapterEmulator::Dispatch(const RequestInfo& info, bool set, std::span<const uint8_t> value,
                                  std::span<uint8_t> out, uint32_t* count) {
  const uint32_t code = info.code;
  std::optional<int32_t> status;
  if (ctx_.opMode == kOpModeAccessPoint) status = ap_->Intercept(set, code, value, out, count);
  if (status) return *status;
  if (emu::EmulatorArea* area = routes_[size_t(&info - RequestCatalogue().data())]) {
    status = set ? area->Set(code, value) : area->Query(code, out, count);
  }
  if (status) return *status;
  if (!emu::LastValueStore::Keeps(code)) return ERROR_NOT_SUPPORTED;
  return set ? store_.Set(code, value) : store_.Query(code, out, count);
}

int32_t AdapterEmulator::Handle(uint32_t ioctl, std::span<const uint8_t> in, std::span<uint8_t> out,
                                uint32_t* bytesReturned) {
  uint32_t count = 0;
  if (bytesReturned) *bytesReturned = 0;
  ++handled_;
  if (ioctl != IOCTL_NDIS_QUERY_GLOBAL_STATS) return ERROR_NOT_SUPPORTED;
  if (in.size() != 4) return ERROR_INVALID_PARAMETER;
  const uint32_t raw = ReadLe32(in.data());
  const bool set = (raw & kSetBit) != 0;
  const uint32_t code = raw & ~kSetBit;
  const uint32_t length = uint32_t(out.size());
  const RequestInfo* info = FindRequest(code);

  int32_t status = ERROR_SUCCESS;
  if (set) setValue_.assign(out.begin(), out.end());
  if (!info || (set ? !info->CanSet() : !info->CanQuery())) {
    status = ERROR_NOT_SUPPORTED;
  } else if (set ? !info->SetLengthOk(length) : !info->QueryLengthOk(length)) {
    status = ERROR_INVALID_PARAMETER;
  } else if (TakeArmedFault(code)) {
    status = ERROR_GEN_FAILURE;
  } else {
    const uint64_t now = ctx_.Now();
    for (const auto& area : areas_) area->Advance(now);
    status = Dispatch(*info, set, setValue_, out, &count);
  }
  if (status != ERROR_SUCCESS) count = 0;
  Log(code, set, set ? std::span<const uint8_t>(setValue_) : out.first(count), length, status);
  if (bytesReturned) *bytesReturned = count;
  return status;
}

bool AdapterEmulator::JoinStation(const StationSpec& station, std::string* reason) {
  return ap_->Join(station, reason);
}

bool AdapterEmulator::LeaveStation(const MacAddress& mac) {
  return ap_->Leave(mac);
}

bool AdapterEmulator::IdleStation(const MacAddress& mac) {
  return ap_->Idle(mac);
}

bool AdapterEmulator::StationMicFailure(const MacAddress& mac) {
  return ap_->MicFailure(mac);
}

const emu::ApBss& AdapterEmulator::accessPoint() {
  ap_->Advance(ctx_.Now());
  return ap_->bss();
}

const std::vector<emu::ApStation>& AdapterEmulator::apStations() {
  ap_->Advance(ctx_.Now());
  return ap_->stations();
}

}  // namespace kavo9
