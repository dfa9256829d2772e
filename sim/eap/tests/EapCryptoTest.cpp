#include <gtest/gtest.h>

#include "sim/eap/EapCrypto.h"

namespace kavo9::eap {
namespace {

Bytes H(std::string_view text) {
  return FromHex(text).value_or(Bytes{});
}

// The worked example of MS-CHAPv2's definition: user "User", password "clientPass".
const Bytes kAuthenticatorChallenge = H("5b5d7c7d7b3f2f3e3c2c602132262628");
const Bytes kPeerChallenge = H("21402324255e262a28295f2b3a337c7e");

TEST(EapCrypto, MsChapV2MatchesThePublishedExample) {
  EXPECT_EQ(Hex(NtPasswordHash("clientPass")), "44ebba8d5312b8d611474411f56989ae");
  EXPECT_EQ(Hex(HashNtPasswordHash(NtPasswordHash("clientPass"))),
            "41c00c584bd2d91c4017a2a12fa59f3f");
  EXPECT_EQ(Hex(ChallengeHash(kPeerChallenge, kAuthenticatorChallenge, "User")),
            "d02e4386bce91226");
  const Bytes nt =
      GenerateNtResponse(kAuthenticatorChallenge, kPeerChallenge, "User", "clientPass");
  EXPECT_EQ(Hex(nt), "82309ecd8d708b5ea08faa3981cd83544233114a3d85d6df");
  EXPECT_EQ(GenerateAuthenticatorResponse("clientPass", nt, kPeerChallenge, kAuthenticatorChallenge,
                                          "User"),
            "S=407A5589115FD0D6209F510FE9C04566932CDA56");
}

TEST(EapCrypto, MsChapResponseMatchesThePublishedExample) {
  // MS-CHAP's worked example: password "MyPw", challenge 10 2D B5 DF 08 5D 30 41.
  const Bytes hash = NtPasswordHash("MyPw");
  EXPECT_EQ(Hex(hash), "fc156af7edcd6c0edde3337d427f4eac");
  EXPECT_EQ(Hex(ChallengeResponse(H("102db5df085d3041"), hash)),
            "4e9d3c8f9cfd385d5bf4d3246791956ca4c351ab409a3d61");
}

TEST(EapCrypto, Md5ChallengeIsTheDigestOfIdPasswordAndChallenge) {
  Bytes challenge(16);
  for (size_t i = 0; i < challenge.size(); ++i) challenge[i] = uint8_t(i);
  EXPECT_EQ(Hex(Md5Challenge(1, "password", challenge)), "51b4c75f261478f67e37e429440e294d");
}

TEST(EapCrypto, NonAsciiPasswordsHashAsUtf16) {
  // "é" is one UTF-16 unit: the hash differs from that of its two UTF-8 bytes read singly.
  EXPECT_NE(NtPasswordHash("\xC3\xA9"), NtPasswordHash("\xC3\x83\xC2\xA9"));
  EXPECT_EQ(NtPasswordHash("\xC3"), NtPasswordHash("\xEF\xBF\xBD"));  // a lone lead byte: U+FFFD
}

TEST(EapCrypto, HexRefusesMalformedText) {
  EXPECT_FALSE(FromHex("abc"));
  EXPECT_FALSE(FromHex("zz"));
  EXPECT_EQ(FromHex("00Ff"), (Bytes{0x00, 0xFF}));
  EXPECT_TRUE(ChallengeResponse(H("00"), NtPasswordHash("x")) == Bytes(24, 0));
}

}  // namespace
}  // namespace kavo9::eap
