#include "sim/regsvc/RegistryService.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kavo9 {
namespace {

constexpr std::array<std::string_view, 5> kAdapterClass = {
    "System", "CurrentControlSet", "Control", "Class", "{4D36E972-E325-11CE-BFC1-08002BE10318}"};
constexpr std::array<std::string_view, 6> kSingleSignOn = {
    "Software", "Microsoft", "Windows NT", "CurrentVersion", "Winlogon", "Tesmar"};
constexpr std::array<std::string_view, 5> kWirelessInterfaces = {"Software", "Microsoft", "WZCSVC",
                                                                 "Parameters", "Interfaces"};

// What the driver's installation writes into its key to identify the adapter to the system; the
// adapter disappears from the programs without them.
constexpr std::array<std::string_view, 8> kIdentityValues = {
    "NetCfgInstanceId", "DriverDesc", "ProviderName", "MatchingDeviceId",
    "ComponentId",      "InfPath",    "InfSection",   "DriverVersion"};

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

template <size_t N>
bool StartsWith(const std::vector<std::string_view>& path,
                const std::array<std::string_view, N>& root) {
  if (path.size() < N) return false;
  for (size_t i = 0; i < N; ++i) {
    if (!SameName(path[i], root[i])) return false;
  }
  return true;
}

std::string Join(const std::vector<std::string_view>& components, size_t count) {
  std::string path;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) path += '\\';
    path += components[i];
  }
  return path;
}

bool IsInstanceNumber(std::string_view name) {
  return name.size() == 4 &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsGuid(std::string_view text) {
  // {8-4-4-4-12}
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
  for (size_t i = 1; i < 37; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? text[i] != '-' : !std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

// Splits a key path into its components; false when one is empty, "." or "..", too long, or has
// control characters.
bool SplitKeyPath(std::string_view path, std::vector<std::string_view>* components,
                  std::string* why) {
  if (path.empty()) {
    *why = "empty key path";
    return false;
  }
  if (path.size() > kMaxServicePathLength) {
    *why = "key path too long";
    return false;
  }
  size_t start = 0;
  for (;;) {
    size_t end = path.find('\\', start);
    std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (part.empty() || part == "." || part == "..") {
      *why = "bad key path component";
      return false;
    }
    if (part.size() > kMaxKeyNameLength) {
      *why = "key name too long";
      return false;
    }
    if (std::any_of(part.begin(), part.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
      *why = "control character in key path";
      return false;
    }
    components->push_back(part);
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

// A text fit for one log line between quotes: printable, its quotes and backslashes escaped so
// it cannot pass for the line's own fields, and not endless.
std::string Printable(std::string_view text) {
  constexpr size_t kMax = 200;
  std::string out;
  for (char c : text.substr(0, kMax)) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      static const char* kHex = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  if (text.size() > kMax) out += "...";
  return out;
}

std::string CallerText(const ServiceCaller& caller) {
  if (!caller.known) return "an unknown caller";
  return "uid " + std::to_string(caller.uid) + " pid " + std::to_string(caller.pid);
}

const char* ProcedureName(uint32_t procedure) {
  switch (procedure) {
    case kProcSetValue:
      return "set value";
    case kProcCreateKey:
      return "create key";
    case kProcDeleteKey:
      return "delete key";
    case kProcDeleteValue:
      return "delete value";
    case kProcDeleteTree:
      return "delete tree";
    default:
      return "procedure";
  }
}

std::string Subject(const ServiceRequest& request) {
  return "(path \"" + Printable(request.path) + "\", name \"" + Printable(request.name) + "\")";
}

bool IsKnownType(uint32_t type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_BINARY || type == REG_DWORD ||
         type == REG_MULTI_SZ;
}

}  // namespace

RegistryService::RegistryService(Registry& registry, Log log)
    : registry_(registry), log_(std::move(log)) {}

int32_t RegistryService::Refuse(const ServiceRequest& request, const ServiceCaller& caller,
                                std::string_view why) {
  if (log_) {
    log_("refused procedure " + std::to_string(request.procedure) + " for " + CallerText(caller) +
         ": " + std::string(why) + " " + Subject(request));
  }
  return ERROR_ACCESS_DENIED;
}

bool RegistryService::IsPresentAdapterInstance(std::string_view guid) {
  std::vector<std::string_view> classPath(kAdapterClass.begin(), kAdapterClass.end());
  ScopedKey key(registry_);
  if (registry_.OpenKey(HKEY_LOCAL_MACHINE, Join(classPath, classPath.size()), KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  std::string name;
  for (uint32_t i = 0; registry_.EnumKey(key.get(), i, &name) == ERROR_SUCCESS; ++i) {
    std::string id;
    if (RegReadString(registry_, key.get(), name, "NetCfgInstanceId", &id) == ERROR_SUCCESS &&
        SameName(id, guid)) {
      return true;
    }
  }
  return false;
}

bool RegistryService::IsServed(const std::vector<std::string_view>& path, bool strictlyBelow,
                               bool* identity, std::string* why) {
  size_t rootDepth = 0;
  *identity = false;
  if (StartsWith(path, kAdapterClass) && path.size() > kAdapterClass.size() &&
      IsInstanceNumber(path[kAdapterClass.size()])) {
    rootDepth = kAdapterClass.size() + 1;
    // Only adapters the system installed: the service never makes up a driver key.
    ScopedKey key(registry_);
    if (registry_.OpenKey(HKEY_LOCAL_MACHINE, Join(path, rootDepth), KEY_READ, &key) !=
        ERROR_SUCCESS) {
      *why = "no such adapter key";
      return false;
    }
    *identity = path.size() == rootDepth;
  } else if (StartsWith(path, kSingleSignOn)) {
    rootDepth = kSingleSignOn.size();
  } else if (StartsWith(path, kWirelessInterfaces) && path.size() > kWirelessInterfaces.size() &&
             IsGuid(path[kWirelessInterfaces.size()])) {
    rootDepth = kWirelessInterfaces.size() + 1;
    if (!IsPresentAdapterInstance(path[kWirelessInterfaces.size()])) {
      *why = "no adapter with this instance id";
      return false;
    }
  } else {
    *why = "outside the keys this service writes";
    return false;
  }
  if (strictlyBelow && path.size() <= rootDepth) {
    *why = "may not delete a served key itself";
    return false;
  }
  // A served key may be made, but never the keys above it: the system has those.
  ScopedKey above(registry_);
  if (registry_.OpenKey(HKEY_LOCAL_MACHINE, Join(path, rootDepth - 1), KEY_READ, &above) !=
      ERROR_SUCCESS) {
    *why = "the key above the served key does not exist";
    return false;
  }
  return true;
}

int32_t RegistryService::Perform(const ServiceRequest& request, const ServiceCaller& caller) {
  if (int32_t refused = Check(request, caller); refused != ERROR_SUCCESS) return refused;
  const int32_t status = Write(request);
  if (log_) {
    log_(std::string(status == ERROR_SUCCESS ? "performed " : "failed ") +
         ProcedureName(request.procedure) + " for " + CallerText(caller) +
         (status == ERROR_SUCCESS ? "" : " (error " + std::to_string(status) + ")") + " " +
         Subject(request));
  }
  return status;
}

int32_t RegistryService::Check(const ServiceRequest& r, const ServiceCaller& caller) {
  auto refuse = [&](std::string_view why) { return Refuse(r, caller, why); };
  if (r.procedure < kProcSetValue || r.procedure > kProcDeleteTree) {
    return refuse("unknown procedure");
  }
  bool hasRoot = r.form == ServiceForm::kStation &&
                 (r.procedure == kProcSetValue || r.procedure == kProcCreateKey);
  if (hasRoot && RootOfCode(r.rootCode) != HKEY_LOCAL_MACHINE) {
    return refuse("root code " + std::to_string(r.rootCode) + " is not served");
  }

  std::string why;
  std::vector<std::string_view> target;
  if (!SplitKeyPath(r.path, &target, &why)) return refuse(why);
  const bool deletesKey = r.procedure == kProcDeleteKey || r.procedure == kProcDeleteTree;
  if (deletesKey) {
    std::vector<std::string_view> sub;
    if (!SplitKeyPath(r.name, &sub, &why)) return refuse("sub-key: " + why);
    target.insert(target.end(), sub.begin(), sub.end());
    if (r.path.size() + 1 + r.name.size() > kMaxServicePathLength) {
      return refuse("key path too long");
    }
  }
  bool identity = false;
  if (!IsServed(target, deletesKey, &identity, &why)) return refuse(why);

  if (r.procedure == kProcSetValue || r.procedure == kProcDeleteValue) {
    if (r.name.size() > kMaxValueNameLength) return refuse("value name too long");
    if (std::any_of(r.name.begin(), r.name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
      return refuse("control character in value name");
    }
    if (identity && std::any_of(kIdentityValues.begin(), kIdentityValues.end(),
                                [&](std::string_view v) { return SameName(v, r.name); })) {
      return refuse("a value the driver's installation owns");
    }
  }
  if (r.procedure == kProcSetValue) {
    if (!IsKnownType(r.type)) return refuse("unknown value type " + std::to_string(r.type));
    if (r.length > kMaxServiceDataLength) return refuse("data too long");
    if (r.data.size() > r.length) return refuse("data longer than its length");
    if (r.type == REG_DWORD && r.length != 4) return refuse("a 32-bit value of another length");
  }
  return ERROR_SUCCESS;
}

int32_t RegistryService::Write(const ServiceRequest& r) {
  ScopedKey key(registry_);
  switch (r.procedure) {
    case kProcCreateKey:
      return registry_.CreateKey(HKEY_LOCAL_MACHINE, r.path, KEY_WRITE, &key);
    case kProcSetValue: {
      int32_t error = registry_.OpenKey(HKEY_LOCAL_MACHINE, r.path, KEY_WRITE, &key);
      if (error != ERROR_SUCCESS) return error;
      // The value came as text, cut at its first zero: the rest of its length is zeros.
      std::vector<uint8_t> data(r.length, 0);
      std::copy(r.data.begin(), r.data.end(), data.begin());
      return registry_.SetValue(key.get(), r.name, r.type, data.data(), r.length);
    }
    default:
      break;
  }
  int32_t error = registry_.OpenKey(HKEY_LOCAL_MACHINE, r.path, KEY_WRITE, &key);
  if (error != ERROR_SUCCESS) return error;
  switch (r.procedure) {
    case kProcDeleteValue:
      return registry_.DeleteValue(key.get(), r.name);
    case kProcDeleteKey:
      return registry_.DeleteKey(key.get(), r.name);
    default:
      return registry_.DeleteTree(key.get(), r.name);
  }
}

bool RegistryService::Receive(std::vector<uint8_t>* buffer, std::vector<uint8_t>* replies,
                              const ServiceCaller& caller) {
  for (;;) {
    ServiceRequest request;
    size_t consumed = 0;
    std::string why;
    ServiceDecode result = DecodeServiceRequest(*buffer, &request, &consumed, &why);
    if (result == ServiceDecode::kNeedMore) return true;
    int32_t status;
    if (result == ServiceDecode::kComplete) {
      status = Perform(request, caller);
    } else {
      if (log_) log_("refused frame from " + CallerText(caller) + ": " + why);
      status = ERROR_INVALID_PARAMETER;
    }
    auto reply = EncodeServiceReply(status);
    replies->insert(replies->end(), reply.begin(), reply.end());
    if (consumed == 0) return false;  // the framing itself is broken: nothing after it counts
    buffer->erase(buffer->begin(), buffer->begin() + static_cast<ptrdiff_t>(consumed));
  }
}

}  // namespace kavo9
