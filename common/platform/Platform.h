#pragma once
// The set of seams one program runs on. The programs get a simulated platform for a machine
// folder; tests get a FakePlatform. Deliverables never know which one they have.

#include "common/platform/CertStore.h"
#include "common/platform/DeviceEnum.h"
#include "common/platform/DeviceIo.h"
#include "common/platform/Domain.h"
#include "common/platform/DynamicLibrary.h"
#include "common/platform/EventLoop.h"
#include "common/platform/EventSubscription.h"
#include "common/platform/FileVersion.h"
#include "common/platform/IpHelper.h"
#include "common/platform/Paths.h"
#include "common/platform/ProcessLauncher.h"
#include "common/platform/Registry.h"
#include "common/platform/SecurityToken.h"
#include "common/platform/ServiceControl.h"
#include "common/platform/SessionEvents.h"
#include "common/platform/SystemInfo.h"

namespace kavo9 {

struct Platform {
  EventLoop* loop = nullptr;
  Registry* registry = nullptr;
  SecurityToken* token = nullptr;
  Paths* paths = nullptr;
  SystemInfo* system = nullptr;
  ProcessLauncher* launcher = nullptr;
  DeviceIo* deviceIo = nullptr;
  DeviceEnum* deviceEnum = nullptr;
  SessionEvents* session = nullptr;
  EventSubscription* events = nullptr;
  IpHelper* ipHelper = nullptr;
  ServiceControl* services = nullptr;
  DynamicLibraryLoader* libraries = nullptr;
  FileVersion* fileVersion = nullptr;
  // The current user's certificate stores ("MY" and "ROOT").
  CertStore* certs = nullptr;
  // The Windows domain the machine belongs to.
  Domain* domain = nullptr;
};

}  // namespace kavo9
