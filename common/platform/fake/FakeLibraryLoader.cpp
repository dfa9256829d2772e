#include "common/platform/fake/FakeLibraryLoader.h"

namespace kavo9 {
namespace {

class FakeLibrary : public DynamicLibrary {
 public:
  FakeLibrary(const std::map<std::string, void*>& symbols, int* frees)
      : symbols_(symbols), frees_(frees) {}
  ~FakeLibrary() override { ++*frees_; }
  void* Symbol(std::string_view name) override {
    auto it = symbols_.find(std::string(name));
    return it == symbols_.end() ? nullptr : it->second;
  }

 private:
  std::map<std::string, void*> symbols_;
  int* frees_;
};

}  // namespace

std::unique_ptr<DynamicLibrary> FakeLibraryLoader::Load(std::string_view fileName) {
  auto it = libraries.find(std::string(fileName));
  if (it == libraries.end()) return nullptr;
  ++loads;
  return std::make_unique<FakeLibrary>(it->second, &frees);
}

}  // namespace kavo9
