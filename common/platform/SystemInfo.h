#pragma once
// What the program can learn about the running Windows: the version record, WOW64 and its
// file-system redirection, the default language and the system directory.

#include <cstdint>
#include <filesystem>
#include <string>

namespace kavo9 {

enum : uint32_t { VER_PLATFORM_WIN32_WINDOWS = 1, VER_PLATFORM_WIN32_NT = 2 };
enum : uint8_t { VER_NT_WORKSTATION = 1, VER_NT_DOMAIN_CONTROLLER = 2, VER_NT_SERVER = 3 };

struct OsVersionInfo {
  uint32_t platformId = 0;
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
  uint8_t productType = 0;  // only in the extended form
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // The version record; `extended` asks for the extended form (with the product type), which
  // older systems refuse. False when the call fails.
  virtual bool GetVersionInfo(bool extended, OsVersionInfo* info) const = 0;
  // False when the question cannot be asked (the function does not exist on the system).
  virtual bool IsWow64Process(bool* wow64) const = 0;
  // The system default locale's language identifier (0x0409 English (US), 0x0804 Chinese (PRC)...).
  virtual uint16_t DefaultLanguageId() const = 0;
  // The system directory ("C:\\WINDOWS\\system32", "C:\\WINDOWS\\SYSTEM" on Windows 9x).
  virtual std::string SystemDirectory() const = 0;
  // Wow64EnableWow64FsRedirection, looked up at run time: switches this process's file-system
  // redirection on or off. False when the system has none (not under WOW64).
  virtual bool EnableWow64FsRedirection(bool enable) = 0;
};

}  // namespace kavo9
