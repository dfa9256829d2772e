#include <gtest/gtest.h>

#include <string>

#include "sim/wpa/EapolKey.h"
#include "sim/wpa/WpaKeys.h"

namespace kavo9::wpa {
namespace {

std::string Hex(std::span<const uint8_t> bytes) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// The pass-phrase vectors published with the 802.11 pre-shared-key mapping.
TEST(WpaKeys, PassPhraseVectors) {
  struct Case {
    const char* passPhrase;
    const char* ssid;
    const char* pmk;
  };
  const Case cases[] = {
      {"password", "IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
      {"ThisIsAPassword", "ThisIsASSID",
       "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ",
       "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Hex(PmkFromPassPhrase(c.passPhrase, c.ssid)), c.pmk) << c.passPhrase;
    auto viaKey = PmkFromPreSharedKey(c.passPhrase, c.ssid);
    ASSERT_TRUE(viaKey.has_value());
    EXPECT_EQ(Hex(*viaKey), c.pmk);
  }
}

TEST(WpaKeys, PreSharedKeyForms) {
  const std::string hex = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";
  auto pmk = PmkFromPreSharedKey(hex, "ignored");
  ASSERT_TRUE(pmk.has_value());
  EXPECT_EQ(Hex(*pmk), hex);
  EXPECT_EQ(Hex(*PmkFromPreSharedKey(
                "F42C6FC52DF0EBEF9EBB4B90B38A5F902E83FE1B135A70E23AED762E9710A12E", "x")),
            hex);
  const std::string bad[] = {"short",        "",        "g" + hex.substr(1),
                             "tab\there ok", hex + "0", std::string(64, 'x')};
  for (const std::string& key : bad) {
    EXPECT_FALSE(PmkFromPreSharedKey(key, "IEEE").has_value()) << key;
  }
  EXPECT_TRUE(PmkFromPreSharedKey(std::string(63, 'x'), "s").has_value());
}

// The PRF vectors of the 802.11 key-derivation annex, plus longer outputs that span blocks.
TEST(WpaKeys, PrfVectors) {
  EXPECT_EQ(Hex(Prf(std::vector<uint8_t>(20, 0x0b), "prefix", Bytes("Hi There"), 64)),
            "bcd4c650b30b9684951829e0d75f9d54b862175ed9f00606e17d8da35402ffee"
            "75df78c3d31e0f889f012120c0862beb67753e7439ae242edb8373698356cf5a");
  EXPECT_EQ(Hex(Prf(Bytes("Jefe"), "prefix-2", Bytes("what do ya want for nothing?"), 32)),
            "47c4908e30c947521ad20be9053450ecbea23d3aa604b77326d8b3825ff7475c");
  EXPECT_EQ(Hex(Prf(std::vector<uint8_t>(80, 0xaa), "prefix-3",
                    Bytes("Test Using Larger Than Block-Size Key - Hash Key First"), 80)),
            "0ab6c33ccf70d0d736f4b04c8a7373255511abc5073713163bd0b8c9eeb7e195"
            "6fa066820a73ddee3f6d3bd407e0682a8b21b58b67358e7a423c3a7b02f154f3"
            "02b7c520b889a3858c38b1cb0feaf7a3");
}

TEST(WpaKeys, PtkIsTheSameFromBothEndsAndSizedByCipher) {
  const Pmk pmk = PmkFromPassPhrase("password", "IEEE");
  const Address aa{0xa0, 0xa1, 0xa2, 0xa3, 0xa4, 0xa5};
  const Address spa{0xb0, 0xb1, 0xb2, 0xb3, 0xb4, 0xb5};
  const Nonce aNonce = RandomNonce();
  const Nonce sNonce = RandomNonce();
  EXPECT_NE(aNonce, sNonce);
  const Ptk a = DerivePtk(pmk, aa, spa, aNonce, sNonce, PairwiseCipher::kCcmp);
  const Ptk b = DerivePtk(pmk, spa, aa, sNonce, aNonce, PairwiseCipher::kCcmp);
  EXPECT_EQ(a.kck, b.kck);
  EXPECT_EQ(a.tk, b.tk);
  EXPECT_EQ(a.tk.size(), 16u);
  EXPECT_EQ(DerivePtk(pmk, aa, spa, aNonce, sNonce, PairwiseCipher::kTkip).tk.size(), 32u);
  // Any other pass phrase gives other keys.
  EXPECT_NE(DerivePtk(PmkFromPassPhrase("passwore", "IEEE"), aa, spa, aNonce, sNonce,
                      PairwiseCipher::kCcmp)
                .kck,
            a.kck);
}

TEST(EapolKey, RoundTripAndMicCatchesTampering) {
  const Ptk ptk = DerivePtk(PmkFromPassPhrase("password", "IEEE"), {1}, {2}, RandomNonce(),
                            RandomNonce(), PairwiseCipher::kCcmp);
  for (uint16_t version : {1, 2}) {
    EapolKey f;
    f.info = uint16_t(version | kInfoPairwise | kInfoMic);
    f.replay = 0x0102030405060708ull;
    f.nonce = RandomNonce();
    f.keyData = {0x30, 0x02, 0x01, 0x00};
    const EapolKey signed_ = WithMic(f, ptk.kck);
    auto back = Decode(Encode(signed_));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->replay, f.replay);
    EXPECT_EQ(back->keyData, f.keyData);
    EXPECT_TRUE(MicValid(*back, ptk.kck));
    back->replay += 1;
    EXPECT_FALSE(MicValid(*back, ptk.kck));
  }
  // A version the exchange does not know has no MIC.
  EapolKey odd;
  odd.info = 3 | kInfoMic;
  EXPECT_FALSE(MicValid(WithMic(odd, ptk.kck), ptk.kck));
}

TEST(EapolKey, MalformedFramesAreRefused) {
  EapolKey f;
  f.keyData = {1, 2, 3};
  const std::vector<uint8_t> good = Encode(f);
  ASSERT_TRUE(Decode(good).has_value());
  std::vector<uint8_t> cut(good.begin(), good.end() - 1);
  EXPECT_FALSE(Decode(cut).has_value());
  std::vector<uint8_t> lying = good;
  lying[98] = 200;  // key data longer than the frame
  EXPECT_FALSE(Decode(lying).has_value());
  std::vector<uint8_t> wrongType = good;
  wrongType[1] = 0;
  EXPECT_FALSE(Decode(wrongType).has_value());
  EXPECT_FALSE(Decode(std::span<const uint8_t>()).has_value());
}

}  // namespace
}  // namespace kavo9::wpa
