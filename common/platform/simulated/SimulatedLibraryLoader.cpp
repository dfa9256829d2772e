#include "common/platform/simulated/SimulatedLibraryLoader.h"

#include <dlfcn.h>
#include <strings.h>

#include <string>

namespace kavo9 {
namespace {

class SharedObject : public DynamicLibrary {
 public:
  explicit SharedObject(void* handle) : handle_(handle) {}
  ~SharedObject() override { ::dlclose(handle_); }
  void* Symbol(std::string_view name) override {
    return ::dlsym(handle_, std::string(name).c_str());
  }

 private:
  void* handle_;
};

}  // namespace

std::string SimulatedLibraryLoader::SharedObjectName(std::string_view fileName) {
  std::string base(fileName);
  if (base.size() > 4 && strcasecmp(base.c_str() + base.size() - 4, ".dll") == 0) {
    base.resize(base.size() - 4);
  }
  return "lib" + base + ".so";
}

std::unique_ptr<DynamicLibrary> SimulatedLibraryLoader::Load(std::string_view fileName) {
  // Only a plain file name: a library is never looked for outside the program's folder.
  if (fileName.empty() || fileName.find('/') != std::string_view::npos ||
      fileName.find('\\') != std::string_view::npos) {
    return nullptr;
  }
  const std::filesystem::path file = programDir_ / SharedObjectName(fileName);
  void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  auto library = std::make_unique<SharedObject>(handle);
  using Bind = void (*)(const char*);
  if (auto bind = library->Function<Bind>("Kavo9_BindMachine")) bind(machineDir_.c_str());
  return library;
}

}  // namespace kavo9
