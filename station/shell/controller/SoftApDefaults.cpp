#include "station/shell/controller/SoftApDefaults.h"

#include "common/shell/AccessPointRecord.h"

namespace kavo9 {

void SoftApDefaults::CreateIfMissing() {
  const AdapterIdentity& identity = adapter_.Identity();
  CreateAccessPointRecordIfMissing(registry_, store_, driver_, identity.registryKey,
                                   identity.isHtFamily);
}

}  // namespace kavo9
