#pragma once
// What the files of the library's C interface share: the running engine and the object helpers.

#include <memory>

#include "sim/acauth/Engine.h"

#define AC_API extern "C" __attribute__((visibility("default")))

#define WITH_ENGINE(call)                           \
  do {                                              \
    auto engine = ::kavo9::acauth::CurrentEngine(); \
    if (!engine) return AC_ERR_NOT_STARTED;         \
    return engine->call;                            \
  } while (false)

namespace kavo9::acauth {

// The engine between acInit and acExit; null outside.
std::shared_ptr<Engine> CurrentEngine();
// Deletes an object of the kind named; AC_ERR_ARGUMENT for another kind or none.
int DestroyObject(acObject object, acObject_::Kind kind);

}  // namespace kavo9::acauth
