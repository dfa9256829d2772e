#pragma once
// The parameter store as the programs' pieces reach it: every registry write of either program
// goes through it, below HKEY_LOCAL_MACHINE, with the standard-user policy of its area. Reads are
// plain registry reads and never go through it.

#include <cstdint>
#include <string_view>

namespace kavo9 {

class StorePort {
 public:
  // Profile data (station and WPS profiles, PAC paths, credentials) or everything else (radio,
  // operating mode, tuning values): the settings file allows standard users each on its own.
  enum class Area { kAdvanced, kProfile };
  virtual ~StorePort() = default;

  // Applies the settings file's switches (the station utility's; the soft-AP utility has none).
  virtual void Bind(bool allowStandardUserSetAdvance, bool allowStandardUserSetProfile) = 0;
  // Completes the policy with who the user is; writes before this fail.
  virtual void SetAdministrator(bool administrator) = 0;

  // Writes one value of `type` into HKEY_LOCAL_MACHINE\`path`. Win32 error code, 0 for success.
  virtual int32_t SetValue(std::string_view path, std::string_view name, uint32_t type,
                           const uint8_t* data, uint32_t length, Area area) = 0;
  virtual int32_t DeleteValue(std::string_view path, std::string_view name, Area area) = 0;
  // Creates HKEY_LOCAL_MACHINE\`path` (an existing key is left as it is).
  virtual int32_t CreateKey(std::string_view path, Area area) = 0;
  // Deletes HKEY_LOCAL_MACHINE\`path` with everything below it.
  virtual int32_t DeleteTree(std::string_view path, Area area) = 0;
  // Whether writes of `area` to an existing key can be made: it opens with full access, or the
  // store would hand its writes to the privileged service.
  virtual bool CanWrite(std::string_view path, uint32_t access, Area area) = 0;

  // Frees the policy and the service binding (the controller's last step).
  virtual void Release() = 0;
};

// A text value (REG_SZ with its terminating zero), as every stored number and word is written.
int32_t StoreText(StorePort& store, std::string_view path, std::string_view name,
                  std::string_view text, StorePort::Area area = StorePort::Area::kAdvanced);

}  // namespace kavo9
