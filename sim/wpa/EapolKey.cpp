#include "sim/wpa/EapolKey.h"

#include <openssl/crypto.h>

#include <algorithm>

namespace kavo9::wpa {
namespace {

constexpr uint8_t kProtocolVersion = 1;
constexpr uint8_t kPacketKey = 3;
constexpr size_t kEapolHeaderBytes = 4;
constexpr size_t kInfoOffset = 5;
constexpr size_t kKeyLengthOffset = 7;
constexpr size_t kReplayOffset = 9;
constexpr size_t kNonceOffset = 17;
constexpr size_t kMicOffset = 81;
constexpr size_t kKeyDataLengthOffset = 97;

void Put16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
  out[at] = uint8_t(v >> 8);
  out[at + 1] = uint8_t(v);
}

uint16_t Get16(std::span<const uint8_t> in, size_t at) {
  return uint16_t(in[at] << 8 | in[at + 1]);
}

}  // namespace

std::vector<uint8_t> Encode(const EapolKey& f) {
  const size_t data = std::min(f.keyData.size(), kMaxKeyData);
  std::vector<uint8_t> out(kEapolKeyHeaderBytes + data, 0);
  out[0] = kProtocolVersion;
  out[1] = kPacketKey;
  Put16(out, 2, uint16_t(out.size() - kEapolHeaderBytes));
  out[4] = f.descriptor;
  Put16(out, kInfoOffset, f.info);
  Put16(out, kKeyLengthOffset, f.keyLength);
  for (int i = 0; i < 8; ++i) out[kReplayOffset + size_t(i)] = uint8_t(f.replay >> (56 - 8 * i));
  std::copy(f.nonce.begin(), f.nonce.end(), out.begin() + kNonceOffset);
  std::copy(f.mic.begin(), f.mic.end(), out.begin() + kMicOffset);
  Put16(out, kKeyDataLengthOffset, uint16_t(data));
  std::copy_n(f.keyData.begin(), data, out.begin() + kEapolKeyHeaderBytes);
  return out;
}

std::optional<EapolKey> Decode(std::span<const uint8_t> in) {
  if (in.size() < kEapolKeyHeaderBytes || in[1] != kPacketKey) return std::nullopt;
  if (Get16(in, 2) != in.size() - kEapolHeaderBytes) return std::nullopt;
  const size_t data = Get16(in, kKeyDataLengthOffset);
  if (data > kMaxKeyData || data != in.size() - kEapolKeyHeaderBytes) return std::nullopt;
  EapolKey f;
  f.descriptor = in[4];
  if (f.descriptor != kDescriptorRsn && f.descriptor != kDescriptorWpa) return std::nullopt;
  f.info = Get16(in, kInfoOffset);
  f.keyLength = Get16(in, kKeyLengthOffset);
  for (size_t i = 0; i < 8; ++i) f.replay = f.replay << 8 | in[kReplayOffset + i];
  std::copy_n(in.begin() + kNonceOffset, f.nonce.size(), f.nonce.begin());
  std::copy_n(in.begin() + kMicOffset, f.mic.size(), f.mic.begin());
  f.keyData.assign(in.begin() + kEapolKeyHeaderBytes, in.end());
  return f;
}

EapolKey WithMic(EapolKey f, std::span<const uint8_t, kKckBytes> kck) {
  f.mic.fill(0);
  if (auto mic = KeyMic(f.Version(), kck, Encode(f))) f.mic = *mic;
  return f;
}

bool MicValid(const EapolKey& f, std::span<const uint8_t, kKckBytes> kck) {
  if (!(f.info & kInfoMic)) return false;
  EapolKey zeroed = f;
  zeroed.mic.fill(0);
  const auto mic = KeyMic(f.Version(), kck, Encode(zeroed));
  return mic && CRYPTO_memcmp(mic->data(), f.mic.data(), mic->size()) == 0;
}

}  // namespace kavo9::wpa
