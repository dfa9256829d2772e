#include "common/shell/ProgramSettings.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <system_error>

namespace kavo9 {

struct ProgramSettings::Values {
  nlohmann::json json = nlohmann::json::object();
};

ProgramSettings::ProgramSettings(std::filesystem::path file)
    : file_(std::move(file)), values_(std::make_unique<Values>()) {}

ProgramSettings::~ProgramSettings() = default;

std::filesystem::path ProgramSettings::FileFor(const std::filesystem::path& machineDir,
                                               std::string_view user, std::string_view program) {
  std::string safe;
  for (char c : user) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.';
    safe += plain ? c : '_';
  }
  // "." and ".." name folders, not users.
  if (safe.empty() || safe.find_first_not_of('.') == std::string::npos) safe = "_" + safe;
  return machineDir / "users" / safe / (std::string(program) + ".json");
}

bool ProgramSettings::Load() {
  std::ifstream in(file_);
  if (!in) return false;
  nlohmann::json read = nlohmann::json::parse(in, nullptr, /*allow_exceptions=*/false);
  if (!read.is_object()) return false;
  values_->json = std::move(read);
  return true;
}

int ProgramSettings::Number(std::string_view key, int fallback) const {
  const auto it = values_->json.find(std::string(key));
  if (it == values_->json.end() || !it->is_number_integer()) return fallback;
  const auto value = it->get<int64_t>();
  if (value < INT32_MIN || value > INT32_MAX) return fallback;
  return int(value);
}

bool ProgramSettings::Flag(std::string_view key, bool fallback) const {
  const auto it = values_->json.find(std::string(key));
  if (it == values_->json.end() || !it->is_boolean()) return fallback;
  return it->get<bool>();
}

bool ProgramSettings::SetNumber(std::string_view key, int value) {
  nlohmann::json& slot = values_->json[std::string(key)];
  if (slot.is_number_integer() && slot.get<int64_t>() == value) return true;
  slot = value;
  return Save();
}

bool ProgramSettings::SetFlag(std::string_view key, bool value) {
  nlohmann::json& slot = values_->json[std::string(key)];
  if (slot.is_boolean() && slot.get<bool>() == value) return true;
  slot = value;
  return Save();
}

bool ProgramSettings::Save() const {
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  const std::filesystem::path temporary = file_.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::trunc);
    if (!out) return false;
    out << values_->json.dump(2) << '\n';
    out.flush();
    if (!out) return false;
  }
  std::filesystem::rename(temporary, file_, error);
  if (!error) return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return false;
}

}  // namespace kavo9
