#include "sim/emulator/EmulatorArea.h"

#include <algorithm>

#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {

int32_t Answer32(std::span<uint8_t> out, uint32_t* written, uint32_t value) {
  std::fill(out.begin(), out.end(), 0);
  PutLe32(out, 0, value);
  *written = 4;
  return ERROR_SUCCESS;
}

int32_t AnswerBytes(std::span<uint8_t> out, uint32_t* written, std::span<const uint8_t> value) {
  std::fill(out.begin(), out.end(), 0);
  std::copy_n(value.begin(), std::min(value.size(), out.size()), out.begin());
  *written = uint32_t(out.size());
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
