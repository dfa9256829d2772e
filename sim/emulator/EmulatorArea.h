#pragma once
// One area of the emulated driver: the requests of one subject (identity, radio, connection,
// scan ...) and the state behind them. The core (AdapterEmulator.h) routes each request that
// passed the catalogue's code, direction and length checks to the area registered for its code.

#include <cstdint>
#include <optional>
#include <span>

namespace kavo9::emu {

class EmulatorArea {
 public:
  virtual ~EmulatorArea() = default;

  // The request codes (without the set bit) this area answers. Each code belongs to one area.
  virtual std::span<const uint32_t> Codes() const = 0;

  // The driver (re)loads: start over from the adapter key (EmulatorContext::parameters).
  virtual void Load() {}
  // Time-driven state up to `nowMs`, before every request, in registration order.
  virtual void Advance(uint64_t nowMs) { (void)nowMs; }

  // A query or set of one of Codes(): a Win32 status, or nullopt when the area has no answer for
  // this direction (the core then tries the last-value store, else refuses the request). A query
  // writes its answer into `out` (which holds the caller's input on entry) and the count of bytes
  // written into `*written`; the core clears `*written` on failure.
  virtual std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) {
    (void)code, (void)out, (void)written;
    return std::nullopt;
  }
  virtual std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) {
    (void)code, (void)value;
    return std::nullopt;
  }
};

// Answers for the common shapes: a 32-bit value (the rest of the buffer cleared, 4 bytes
// written), and a record copied into the cleared buffer (as much as fits, the whole buffer
// written).
int32_t Answer32(std::span<uint8_t> out, uint32_t* written, uint32_t value);
int32_t AnswerBytes(std::span<uint8_t> out, uint32_t* written, std::span<const uint8_t> value);

}  // namespace kavo9::emu
