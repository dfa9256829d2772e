#pragma once
// Libraries for tests: a test registers a library's entry points by name; loading a name that was
// not registered fails as a missing library does. Loads and frees are counted.

#include <map>
#include <string>

#include "common/platform/DynamicLibrary.h"

namespace kavo9 {

class FakeLibraryLoader : public DynamicLibraryLoader {
 public:
  // libraries[fileName][entryPoint] = the function's address.
  std::map<std::string, std::map<std::string, void*>> libraries;
  int loads = 0;
  int frees = 0;

  std::unique_ptr<DynamicLibrary> Load(std::string_view fileName) override;
};

}  // namespace kavo9
