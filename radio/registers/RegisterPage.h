#pragma once
// The register diagnostics of the station, without the window: single MAC, baseband (BBP), RF
// and EEPROM registers read and written through the driver, ranges of them dumped into text
// files, and the RF and BBP tuning switches.
//
// A dump reads its range in chunks from the event loop, so the window stays responsive on a large
// range; it never walks past the end of its range, also at the top of the 32-bit address space.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"

namespace kavo9::radio {

// The rows of the page, numbered as the driver numbers the register files.
enum class RegisterFile : uint32_t { kMac = 0, kBbp = 1, kRf = 2, kEeprom = 3 };

// The registers a dump reads: first, last (both included) and the step between them.
struct DumpRange {
  uint64_t first = 0, last = 0, step = 1;
  uint64_t Count() const { return last < first ? 0 : (last - first) / step + 1; }
};

// The range of a dump from the row's two fields; a message text when the second is below the
// first or a field is no number.
struct DumpPlan {
  std::optional<DumpRange> range;
  std::string message;
};
DumpPlan PlanDump(RegisterFile file, std::string_view first, std::string_view second);

// A register number or offset as its row reads it: MAC and EEPROM offsets in hexadecimal, BBP
// and RF numbers in decimal (0-255).
std::optional<uint32_t> ParseRegisterId(RegisterFile file, std::string_view text);
// A value typed into a value field, in hexadecimal; nullopt when it is none or too long.
std::optional<uint32_t> ParseRegisterValue(RegisterFile file, std::string_view text);
// The value as the row shows it (only the low byte for BBP and RF).
std::string RegisterValueText(RegisterFile file, uint32_t value);
// One line of a dump file.
std::string DumpLine(RegisterFile file, uint64_t address, uint32_t value);
std::string_view DumpFileName(RegisterFile file);

class RegisterPageModel {
 public:
  // Dumps are written into `dumpDirectory`.
  RegisterPageModel(DriverPort& driver, EventLoop& loop, std::filesystem::path dumpDirectory);
  ~RegisterPageModel();
  RegisterPageModel(const RegisterPageModel&) = delete;
  RegisterPageModel& operator=(const RegisterPageModel&) = delete;

  // Reads one register; the value text, or empty when the number is no number. A failed query
  // reads as 0.
  std::string Query(RegisterFile file, std::string_view id);
  // Writes one register; false when the number or value is no number.
  bool Set(RegisterFile file, std::string_view id, std::string_view value);
  // The RF tuning record (R1-R4 in hexadecimal and the switch); false for a bad value.
  bool SetRfTuning(const std::string_view (&values)[4], bool on);
  void SetBbpTuning(bool on);

  // Starts a dump; a message when the range is refused or the file cannot be made, nothing
  // otherwise. One dump runs at a time; `done` is called when its file is complete.
  std::optional<std::string> StartDump(RegisterFile file, std::string_view first,
                                       std::string_view second,
                                       std::function<void(bool written)> done = {});
  bool Dumping() const { return dump_ != nullptr; }
  // Registers read of the running dump, and how many it reads.
  uint64_t DumpProgress() const;
  uint64_t DumpTotal() const;
  void CancelDump();

 private:
  struct Dump;
  uint32_t Read(RegisterFile file, uint32_t id);
  void DumpChunk();

  DriverPort& driver_;
  EventLoop& loop_;
  std::filesystem::path directory_;
  std::unique_ptr<Dump> dump_;
  std::shared_ptr<bool> alive_;
};

}  // namespace kavo9::radio
