#pragma once
// The thin wrapper every piece reaches the driver through: it forwards to the real DriverPort and
// hosts the fault hooks, so a controller or page test can make the next requests of one code fail
// whatever answers behind it (the emulator, a scripted driver), and check that the fault fired.

#include <cstdint>
#include <map>

#include "common/adapter/DriverPort.h"

namespace kavo9 {

class FaultableDriver final : public DriverPort {
 public:
  explicit FaultableDriver(DriverPort& inner) : inner_(inner) {}

  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                        uint32_t* bytesReturned) override;
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int attempts) override;
  bool IsAdapterPresent() override { return inner_.IsAdapterPresent(); }

  // The next `count` requests of `oid` (queries and sets; the set bit is ignored) fail without
  // reaching the driver: a query leaves the buffer alone and returns no bytes, a set queues no
  // retry. A count of 0 disarms.
  void FailNext(uint32_t oid, int count);
  // How many armed failures of `oid` have fired since it was armed last.
  int FailuresFired(uint32_t oid) const;

 private:
  bool TakeFault(uint32_t oid);

  DriverPort& inner_;
  std::map<uint32_t, int> armed_;
  std::map<uint32_t, int> fired_;
};

}  // namespace kavo9
