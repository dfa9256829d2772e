// Feeds arbitrary bytes to the registry service as one connection would: frames are decoded,
// checked and, when allowed, performed on an in-memory registry. Seed frames: frame_corpus/.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/platform/simulated/SqliteRegistry.h"
#include "sim/regsvc/RegistryService.h"

namespace {

class AdministratorToken : public kavo9::SecurityToken {
 public:
  std::string UserName() const override { return "SYSTEM"; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    groups->assign({kavo9::kAdministratorsSid});
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static AdministratorToken token;
  static auto registry = kavo9::SqliteRegistry::InMemory(token);
  static kavo9::RegistryService service(*registry, nullptr);
  std::vector<uint8_t> buffer(data, data + size);
  std::vector<uint8_t> replies;
  service.Receive(&buffer, &replies);
  // Every reply is a whole reply frame.
  if (replies.size() % kavo9::kServiceReplySize != 0) __builtin_trap();
  return 0;
}
