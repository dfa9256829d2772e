#pragma once
// Libraries loaded at run time (LoadLibrary / GetProcAddress / FreeLibrary). A program asks for a
// library by its Windows file name ("ICSDHCP.dll"); the loader looks for it beside the program
// and gives back a handle whose entry points are found by name. A missing library, or a missing
// entry point, is a null result that the caller checks: nothing is called that is not there.
//
// Implementations: SimulatedLibraryLoader (simulated/) loads the shared library of that name from
// the program's folder and tells it the machine it runs on; FakeLibraryLoader (fake/) hands out
// functions a test registers.

#include <memory>
#include <string_view>

namespace kavo9 {

class DynamicLibrary {
 public:
  virtual ~DynamicLibrary() = default;  // frees the library
  // The entry point `name`, or null when the library has none.
  virtual void* Symbol(std::string_view name) = 0;

  // The entry point as a function pointer of type `Fn`, or null.
  template <typename Fn>
  Fn Function(std::string_view name) {
    return reinterpret_cast<Fn>(Symbol(name));
  }
};

class DynamicLibraryLoader {
 public:
  virtual ~DynamicLibraryLoader() = default;
  // Null when there is no such library or it cannot be loaded.
  virtual std::unique_ptr<DynamicLibrary> Load(std::string_view fileName) = 0;
};

}  // namespace kavo9
