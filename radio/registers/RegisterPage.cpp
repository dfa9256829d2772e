#include "radio/registers/RegisterPage.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "common/adapter/RequestCatalogue.h"
#include "radio/vocabulary/Bytes.h"

namespace kavo9::radio {
namespace {

constexpr uint32_t kRecordSize = 12, kRfTuningSize = 20;
constexpr uint32_t kLastNarrowId = 255;
// Registers read per turn of the event loop while a dump runs.
constexpr uint64_t kDumpChunk = 64;
constexpr uint64_t kMacStep = 4, kEepromStep = 2;

bool Hexadecimal(RegisterFile file) {
  return file == RegisterFile::kMac || file == RegisterFile::kEeprom;
}
bool Narrow(RegisterFile file) {
  return file == RegisterFile::kBbp || file == RegisterFile::kRf;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::optional<uint32_t> Parse(std::string_view text, int base) {
  text = Trim(text);
  if (base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
  }
  uint32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The widest value each row's field takes, in hexadecimal digits.
size_t ValueDigits(RegisterFile file) {
  switch (file) {
    case RegisterFile::kMac:
      return 8;
    case RegisterFile::kEeprom:
      return 4;
    default:
      return 2;
  }
}

}  // namespace

std::optional<uint32_t> ParseRegisterId(RegisterFile file, std::string_view text) {
  const std::optional<uint32_t> id = Parse(text, Hexadecimal(file) ? 16 : 10);
  if (id && Narrow(file) && *id > kLastNarrowId) return std::nullopt;
  return id;
}

std::optional<uint32_t> ParseRegisterValue(RegisterFile file, std::string_view text) {
  text = Trim(text);
  if (text.size() > ValueDigits(file)) return std::nullopt;
  return Parse(text, 16);
}

std::string RegisterValueText(RegisterFile file, uint32_t value) {
  char text[16];
  switch (file) {
    case RegisterFile::kMac:
      std::snprintf(text, sizeof text, "%08X", value);
      break;
    case RegisterFile::kBbp:
      std::snprintf(text, sizeof text, "%02X", value & 0xFF);
      break;
    case RegisterFile::kRf:
      std::snprintf(text, sizeof text, "%02x", value & 0xFF);
      break;
    case RegisterFile::kEeprom:
      std::snprintf(text, sizeof text, "%04x", value & 0xFFFF);
      break;
  }
  return text;
}

std::string DumpLine(RegisterFile file, uint64_t address, uint32_t value) {
  char line[48];
  switch (file) {
    case RegisterFile::kMac:
      std::snprintf(line, sizeof line, "%08x = %08X\r\n", uint32_t(address), value);
      break;
    case RegisterFile::kEeprom:
      std::snprintf(line, sizeof line, "%08x = %04x\r\n", uint32_t(address), value & 0xFFFF);
      break;
    default:
      std::snprintf(line, sizeof line, "%03d = %02X\r\n", int(address), value & 0xFF);
      break;
  }
  return line;
}

std::string_view DumpFileName(RegisterFile file) {
  switch (file) {
    case RegisterFile::kMac:
      return "MacDump.txt";
    case RegisterFile::kBbp:
      return "BaseBandDump.txt";
    case RegisterFile::kRf:
      return "RFDump.txt";
    case RegisterFile::kEeprom:
      return "EEPROMDump.txt";
  }
  return {};
}

DumpPlan PlanDump(RegisterFile file, std::string_view first, std::string_view second) {
  const bool narrow = Narrow(file);
  const char* order =
      narrow ? "ID 2 can't be less than ID 1" : "Offset 2 can't be less than Offset 1";
  const char* invalid = narrow ? "ID 1 and ID 2 must be numbers from 0 to 255"
                               : "Offset 1 and Offset 2 must be hexadecimal numbers";
  const std::optional<uint32_t> from = ParseRegisterId(file, first);
  if (!from) return {std::nullopt, invalid};
  uint64_t a = *from, b = 0;
  if (Trim(second).empty()) {
    // Without a second field, BBP dumps its one register and the others start over at 0.
    a = b = file == RegisterFile::kBbp ? *from : 0;
  } else {
    const std::optional<uint32_t> to = ParseRegisterId(file, second);
    if (!to) return {std::nullopt, invalid};
    b = *to;
    if (b < a) return {std::nullopt, order};
  }
  switch (file) {
    case RegisterFile::kMac:
      return {DumpRange{(a + 1) & ~uint64_t(kMacStep - 1), b & ~uint64_t(kMacStep - 1), kMacStep},
              {}};
    case RegisterFile::kEeprom:
      return {DumpRange{a, b, kEepromStep}, {}};
    default:
      return {DumpRange{a, std::min<uint64_t>(b, kLastNarrowId), 1}, {}};
  }
}

struct RegisterPageModel::Dump {
  RegisterFile file;
  DumpRange range;
  uint64_t done = 0;
  std::ofstream out;
  std::function<void(bool)> finished;
};

RegisterPageModel::RegisterPageModel(DriverPort& driver, EventLoop& loop,
                                     std::filesystem::path dumpDirectory)
    : driver_(driver),
      loop_(loop),
      directory_(std::move(dumpDirectory)),
      alive_(std::make_shared<bool>(true)) {}

RegisterPageModel::~RegisterPageModel() {
  *alive_ = false;
}

uint32_t RegisterPageModel::Read(RegisterFile file, uint32_t id) {
  std::array<uint8_t, kRecordSize> record{};
  WriteLe32(record, 0, uint32_t(file));
  WriteLe32(record, 4, id);
  if (!driver_.QueryInformation(OID_VND_REGISTER_ACCESS, record.data(), kRecordSize, nullptr)) {
    return 0;
  }
  return ReadLe32(record, 8);
}

std::string RegisterPageModel::Query(RegisterFile file, std::string_view id) {
  const std::optional<uint32_t> number = ParseRegisterId(file, id);
  if (!number) return {};
  return RegisterValueText(file, Read(file, *number));
}

bool RegisterPageModel::Set(RegisterFile file, std::string_view id, std::string_view value) {
  const std::optional<uint32_t> number = ParseRegisterId(file, id);
  const std::optional<uint32_t> data = ParseRegisterValue(file, value);
  if (!number || !data) return false;
  std::array<uint8_t, kRecordSize> record{};
  WriteLe32(record, 0, uint32_t(file));
  WriteLe32(record, 4, *number);
  WriteLe32(record, 8, *data);
  driver_.SetInformation(OID_VND_REGISTER_ACCESS, record.data(), kRecordSize, kSetAttempts);
  return true;
}

bool RegisterPageModel::SetRfTuning(const std::string_view (&values)[4], bool on) {
  std::array<uint8_t, kRfTuningSize> record{};
  for (size_t i = 0; i < 4; ++i) {
    const std::optional<uint32_t> value = ParseRegisterValue(RegisterFile::kMac, values[i]);
    if (!value) return false;
    WriteLe32(record, 4 * i, *value);
  }
  WriteLe32(record, 16, on ? 1 : 0);
  driver_.SetInformation(OID_VND_RF_REGISTERS, record.data(), kRfTuningSize, kSetAttempts);
  return true;
}

void RegisterPageModel::SetBbpTuning(bool on) {
  SetValue32(driver_, OID_VND_BBP_TUNING, on ? 1 : 0);
}

std::optional<std::string> RegisterPageModel::StartDump(RegisterFile file, std::string_view first,
                                                        std::string_view second,
                                                        std::function<void(bool)> done) {
  if (dump_) return std::string("A dump is still being written.");
  DumpPlan plan = PlanDump(file, first, second);
  if (!plan.range) return plan.message;
  auto dump = std::make_unique<Dump>();
  dump->file = file;
  dump->range = *plan.range;
  dump->finished = std::move(done);
  const std::filesystem::path path = directory_ / DumpFileName(file);
  dump->out.open(path, std::ios::binary | std::ios::trunc);
  if (!dump->out) return "Cannot write " + path.string();
  dump_ = std::move(dump);
  DumpChunk();
  return std::nullopt;
}

// Reads the next chunk and, while registers are left, lets the event loop run before the next.
void RegisterPageModel::DumpChunk() {
  if (!dump_) return;
  Dump& d = *dump_;
  const uint64_t total = d.range.Count();
  for (uint64_t n = 0; n < kDumpChunk && d.done < total; ++n, ++d.done) {
    const uint64_t address = d.range.first + d.done * d.range.step;
    d.out << DumpLine(d.file, address, Read(d.file, uint32_t(address)));
  }
  if (d.done < total) {
    loop_.Post([this, alive = alive_] {
      if (*alive) DumpChunk();
    });
    return;
  }
  d.out.close();
  const bool written = !d.out.fail();
  auto finished = std::move(d.finished);
  dump_.reset();
  if (finished) finished(written);
}

uint64_t RegisterPageModel::DumpProgress() const {
  return dump_ ? dump_->done : 0;
}

uint64_t RegisterPageModel::DumpTotal() const {
  return dump_ ? dump_->range.Count() : 0;
}

void RegisterPageModel::CancelDump() {
  dump_.reset();
}

}  // namespace kavo9::radio
