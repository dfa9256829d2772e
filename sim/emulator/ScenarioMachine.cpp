// The machine's Windows and its logged-on user.
#include "common/platform/simulated/SimulatedMachine.h"
#include "sim/emulator/ScenarioReader.h"

namespace kavo9::scenario {

bool ParseWindows(const json& doc, const std::string& path, MachineDescription* m,
                  std::string* error) {
  ObjectReader r(doc, path, error);
  std::string name;
  r.String("name", &name);
  if (r.ok() && !name.empty()) {
    struct Known {
      const char* name;
      OsVersionInfo version;
    };
    static const Known kKnown[] = {
        {"98se", {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, 0}},
        {"me", {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, 0}},
        {"2000", {VER_PLATFORM_WIN32_NT, 5, 0, 2195, VER_NT_WORKSTATION}},
        {"xp", {VER_PLATFORM_WIN32_NT, 5, 1, 2600, VER_NT_WORKSTATION}},
        {"xp-x64", {VER_PLATFORM_WIN32_NT, 5, 2, 3790, VER_NT_WORKSTATION}},
        {"2003", {VER_PLATFORM_WIN32_NT, 5, 2, 3790, VER_NT_SERVER}},
        {"vista", {VER_PLATFORM_WIN32_NT, 6, 0, 6000, VER_NT_WORKSTATION}},
    };
    bool found = false;
    for (const Known& k : kKnown) {
      if (name == k.name) {
        m->version = k.version;
        found = true;
      }
    }
    if (!found)
      r.Fail(r.Path("name"),
             "unknown Windows \"" + name + "\" (98se, me, 2000, xp, xp-x64, 2003, vista)");
  }
  r.Int("platform", 0, 2, &m->version.platformId);
  r.Int("major", 0, 99, &m->version.major);
  r.Int("minor", 0, 99, &m->version.minor);
  r.Int("build", 0, 0xFFFFFFFFLL, &m->version.build);
  r.Int("productType", 0, 3, &m->version.productType);
  r.Bool("extendedRefused", &m->extendedVersionRefused);
  r.Bool("wow64Known", &m->wow64Known);
  r.Bool("wow64", &m->wow64);
  r.Int("languageId", 0, 0xFFFF, &m->languageId);
  r.Finish();
  return r.ok();
}

bool ParseUser(const json& doc, const std::string& path, MachineDescription* m,
               std::string* error) {
  ObjectReader r(doc, path, error);
  r.String("name", &m->userName);
  r.Bool("administrator", &m->administrator);
  r.Finish();
  return r.ok();
}

}  // namespace kavo9::scenario
