// Feeds arbitrary files to the regedit text import: nothing may crash, and a refused file leaves
// the registry as it was.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/platform/fake/FakePlatform.h"
#include "common/platform/simulated/RegText.h"
#include "common/platform/simulated/SqliteRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kavo9;
  static FakeSecurityToken token;
  static std::unique_ptr<SqliteRegistry> registry = SqliteRegistry::InMemory(token);
  for (HKEY root : RegRoots()) registry->DeleteTree(root, "");
  std::string error;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!ImportRegText(*registry, text, &error)) {
    if (error.rfind("line ", 0) != 0) std::abort();  // every refusal names its line
    return 0;
  }
  // Whatever was imported exports and imports again.
  std::string exported;
  AppendRegTextHeader(&exported);
  for (HKEY root : RegRoots()) {
    if (ExportRegKey(*registry, root, "", &exported) != ERROR_SUCCESS) std::abort();
  }
  if (!ImportRegText(*registry, exported, &error)) std::abort();
  return 0;
}
