#pragma once
// What the scenario parser's parts share: a reader of one JSON object that remembers the first
// fault with its JSON path and refuses members nobody asked for, small text readers, and the
// parsers of the machine, adapter and network objects. Only the scenario's own files include it.

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/emulator/Scenario.h"

namespace kavo9::scenario {

using nlohmann::json;

// Reads the members of one JSON object, remembering the first fault with its path. Members that
// no read asked for are faults too, so a misspelt key is reported instead of silently ignored.
class ObjectReader {
 public:
  ObjectReader(const json& object, std::string path, std::string* error)
      : object_(object), path_(std::move(path)), error_(error) {
    if (!object_.is_object()) Fail(path_, "expected an object");
  }

  bool ok() const { return ok_; }
  std::string Path(std::string_view key) const { return path_ + "/" + std::string(key); }

  const json* Find(const char* key) {
    seen_.insert(key);
    if (!ok_) return nullptr;
    auto it = object_.find(key);
    return it == object_.end() ? nullptr : &*it;
  }

  void String(const char* key, std::string* out, bool required = false, size_t maxLength = 255) {
    const json* v = Find(key);
    if (!v) return Missing(key, required);
    if (!v->is_string()) return Fail(Path(key), "expected a string");
    std::string text = v->get<std::string>();
    if (text.size() > maxLength) {
      return Fail(Path(key), "longer than " + std::to_string(maxLength) + " characters");
    }
    *out = std::move(text);
  }

  template <typename T>
  void Int(const char* key, int64_t min, int64_t max, T* out, bool required = false) {
    const json* v = Find(key);
    if (!v) return Missing(key, required);
    int64_t value = 0;
    if (v->is_number_integer()) {
      value = v->get<int64_t>();
    } else if (v->is_string() && ParseNumberText(v->get<std::string>(), &value)) {
    } else {
      return Fail(Path(key), "expected an integer");
    }
    if (value < min || value > max) {
      return Fail(Path(key), "out of range " + std::to_string(min) + ".." + std::to_string(max));
    }
    *out = static_cast<T>(value);
  }

  void Bool(const char* key, bool* out) {
    const json* v = Find(key);
    if (!v) return;
    if (!v->is_boolean()) return Fail(Path(key), "expected true or false");
    *out = v->get<bool>();
  }

  void Mac(const char* key, MacAddress* out, bool required = false) {
    const json* v = Find(key);
    if (!v) return Missing(key, required);
    if (!v->is_string() || !ParseMac(v->get<std::string>(), out)) {
      return Fail(Path(key), "expected a MAC address like 00-1D-5A-30-70-01");
    }
  }

  // Call after every member was read: refuses members nobody asked for.
  void Finish() {
    if (!ok_) return;
    for (auto it = object_.begin(); it != object_.end(); ++it) {
      if (!seen_.count(it.key())) return Fail(Path(it.key()), "unknown member");
    }
  }

  void Fail(const std::string& path, const std::string& what) {
    if (!ok_) return;
    ok_ = false;
    *error_ = path + ": " + what;
  }

  // A number as text: decimal, or hexadecimal after 0x.
  static bool ParseNumberText(const std::string& text, int64_t* value);

 private:
  void Missing(const char* key, bool required) {
    if (required) Fail(Path(key), "missing");
  }

  const json& object_;
  std::string path_;
  std::string* error_;
  std::set<std::string> seen_;
  bool ok_ = true;
};

// "major.minor", each 0-255.
bool ParseVersionPair(const std::string& text, std::array<uint8_t, 2>* out);
// Hexadecimal bytes; "-", ":" and spaces between them are ignored.
bool ParseHex(const std::string& text, std::vector<uint8_t>* out);

// The parts of a scenario. Each returns false with `error` set to "PATH: what is wrong".
bool ParseWindows(const json& doc, const std::string& path, MachineDescription* m,
                  std::string* error);
bool ParseUser(const json& doc, const std::string& path, MachineDescription* m, std::string* error);
// The "dot1x" member of a network (ScenarioDot1x.cpp), after its security was read.
bool ParseDot1x(const json& doc, const std::string& path, NetworkSpec* n, std::string* error);
json Dot1xToJson(const Dot1xSpec& dot1x);
bool ParseAdapter(const json& doc, const std::string& path, size_t index, AdapterSpec* a,
                  std::string* error);

}  // namespace kavo9::scenario
