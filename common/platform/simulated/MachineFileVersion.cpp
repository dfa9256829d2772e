#include "common/platform/simulated/MachineFileVersion.h"

#include <strings.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <sstream>

namespace kavo9 {

std::filesystem::path MachineFileVersion::Seen(const std::filesystem::path& file) const {
  if (!redirecting_ || !redirecting_()) return file;
  const std::filesystem::path relative = file.lexically_relative(driveC_);
  auto it = relative.begin();
  if (relative.empty() || it == relative.end() || strcasecmp(it->c_str(), "WINDOWS") != 0) {
    return file;
  }
  if (++it == relative.end() || strcasecmp(it->c_str(), "system32") != 0) return file;
  std::filesystem::path seen = driveC_ / "WINDOWS" / "SysWOW64";
  for (++it; it != relative.end(); ++it) seen /= *it;
  return seen;
}

bool MachineFileVersion::ReadVersion(const std::filesystem::path& file,
                                     FileVersionInfo* info) const {
  const std::filesystem::path seen = Seen(file);
  if (!std::filesystem::is_regular_file(seen)) return false;
  std::ifstream in(seen.string() + ".version");
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  return ParseVersionRecord(text.str(), info);
}

bool MachineFileVersion::ModificationDate(const std::filesystem::path& file, FileDate* date) const {
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(Seen(file), ec);
  if (ec) return false;
  const auto system = std::chrono::file_clock::to_sys(written);
  const std::time_t t = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
  std::tm local{};
  if (!localtime_r(&t, &local)) return false;
  *date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  return true;
}

}  // namespace kavo9
