#include "common/adapter/FaultableDriver.h"

#include "common/adapter/RequestCatalogue.h"

namespace kavo9 {

bool FaultableDriver::TakeFault(uint32_t oid) {
  if (armed_.empty()) return false;
  auto it = armed_.find(oid & ~kSetBit);
  if (it == armed_.end()) return false;
  if (--it->second <= 0) armed_.erase(it);
  ++fired_[oid & ~kSetBit];
  return true;
}

bool FaultableDriver::QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                                       uint32_t* bytesReturned) {
  if (TakeFault(oid)) {
    if (bytesReturned) *bytesReturned = 0;
    return false;
  }
  return inner_.QueryInformation(oid, buffer, length, bytesReturned);
}

bool FaultableDriver::SetInformation(uint32_t oid, const void* buffer, uint32_t length,
                                     int attempts) {
  if (TakeFault(oid)) return false;
  return inner_.SetInformation(oid, buffer, length, attempts);
}

void FaultableDriver::FailNext(uint32_t oid, int count) {
  oid &= ~kSetBit;
  fired_.erase(oid);
  if (count <= 0) {
    armed_.erase(oid);
  } else {
    armed_[oid] = count;
  }
}

int FaultableDriver::FailuresFired(uint32_t oid) const {
  auto it = fired_.find(oid & ~kSetBit);
  return it == fired_.end() ? 0 : it->second;
}

}  // namespace kavo9
