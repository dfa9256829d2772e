// Feeds arbitrary bytes to the daemon's side of a device socket: frame decoding, then the
// emulated driver's handling of whatever request decodes, then the reply encoding.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/platform/simulated/DeviceFrame.h"
#include "sim/emulator/AdapterEmulator.h"

namespace {

kavo9::AdapterSpec FuzzAdapter() {
  kavo9::AdapterSpec spec;
  spec.name = "fuzz0";
  spec.family = "QKD170";
  spec.instanceId = "{00000000-0000-0000-0000-000000000000}";
  spec.band5 = true;
  return spec;
}

kavo9::World FuzzWorld() {
  kavo9::NetworkSpec open;
  open.ssid = "open";
  open.bssid = {0, 1, 2, 3, 4, 5};
  open.channel = 6;
  kavo9::NetworkSpec secured = open;
  secured.ssid = "secured";
  secured.bssid[5] = 6;
  secured.channel = 36;
  secured.security = kavo9::Security::kWpaWpa2Psk;
  secured.tkip = secured.aes = true;
  secured.ht.enabled = true;
  secured.wps.enabled = true;
  return kavo9::World({open, secured});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kavo9::World world = FuzzWorld();
  static uint64_t now = 0;
  static kavo9::AdapterEmulator emulator(FuzzAdapter(), world, [] { return now; });
  now += 500;  // let scans complete now and then
  std::span<const uint8_t> bytes(data, size);
  while (!bytes.empty()) {
    kavo9::DeviceRequest request;
    size_t used = 0;
    if (kavo9::DecodeRequest(bytes, &request, &used) != kavo9::FrameResult::kComplete) break;
    uint32_t count = 0;
    kavo9::DeviceReply reply;
    reply.status = uint32_t(emulator.Handle(request.ioctl, request.in, request.out, &count));
    if (count > request.out.size()) __builtin_trap();
    request.out.resize(count);
    reply.data = request.out;
    kavo9::EncodeReply(reply);
    bytes = bytes.subspan(used);
  }
  return 0;
}
