#include <gtest/gtest.h>

#include <cstring>

#include "common/platform/fake/FakeLibraryLoader.h"
#include "station/dot1x/supplicant/LibrarySupplicant.h"

namespace kavo9::dot1x {
namespace {

int Ok() {
  return AC_OK;
}
int Init(const acInitParams*) {
  return AC_OK;
}
const char* Name(int) {
  return "AC_EVENT_TEST";
}
// A library that fills the whole buffer without a terminator, and claims more than it was given.
int FullPrompt(int, uint32_t, char* prompt, int size) {
  std::memset(prompt, 'x', size_t(size));
  return AC_OK;
}
int MakeIdentity(acObject* out, const char*, int) {
  *out = reinterpret_cast<acObject>(42);
  return AC_OK;
}
int LongAid(int, uint32_t, uint8_t* aid, int size, int* length) {
  std::memset(aid, 0xA1, size_t(size));
  *length = size + 1000;
  return AC_OK;
}

// Every entry point of pre-shared-key authentication; those a test calls do their part.
std::map<std::string, void*> PskLibrary() {
  std::map<std::string, void*> entries;
  for (const char* name : {"acExit",
                           "acErrorString",
                           "acDebugEnable",
                           "acNetCallback",
                           "acGetNextPortSymName",
                           "acGetPortAttr",
                           "acPortAttach",
                           "acPortDetach",
                           "acRsnPskCreate",
                           "acRsnBinPskCreate",
                           "acRsnPskDestroy",
                           "acCredRsnPsk",
                           "acPortAuth",
                           "acPortAssociate",
                           "acPortDisassociate",
                           "acPortStop",
                           "acPortGetLinkState",
                           "acPortGetState",
                           "acPortGetStatus",
                           "acIpIsConnected",
                           "acIpDhcpIsEnabled",
                           "acIpGetConfig",
                           "acIpDhcpRenew",
                           "ac8021xInit",
                           "acRsnInit",
                           "acEapFASTInit",
                           "acEapGTCInit",
                           "acEapLEAPInit",
                           "acEapMD5Init",
                           "acEapMSCHAPv2Init",
                           "acEapPEAPInit",
                           "acEapTLSInit",
                           "acEapTTLSInit",
                           "acCcxInit"}) {
    entries[name] = reinterpret_cast<void*>(&Ok);
  }
  entries["acInit"] = reinterpret_cast<void*>(&Init);
  entries["acEventString"] = reinterpret_cast<void*>(&Name);
  return entries;
}

TEST(LibrarySupplicant, AnOlderLibraryStillStartsAndItsMissingCallsFail) {
  FakeLibraryLoader loader;
  loader.libraries[kSupplicantLibrary] = PskLibrary();
  LibrarySupplicant library(&loader);
  EXPECT_EQ(library.Init(), AC_OK);
  std::string prompt;
  EXPECT_EQ(library.CredGetIdentityPrompt(7, 1, &prompt), AC_ERR_FAILED);
  acObject identity = nullptr;
  EXPECT_EQ(library.CreateIdentity(&identity, "alice"), AC_ERR_FAILED);
  EXPECT_EQ(library.CredServerVerified(7, 1, 1), AC_ERR_FAILED);
  EXPECT_EQ(library.CredCcxRogueAP(7, 1, 0), AC_ERR_FAILED);
}

TEST(LibrarySupplicant, WhatTheLibraryWritesIsReadNoFurtherThanItsBuffer) {
  FakeLibraryLoader loader;
  auto entries = PskLibrary();
  entries["acCredGetIdentityPrompt"] = reinterpret_cast<void*>(&FullPrompt);
  entries["acCredGetEapFASTAID"] = reinterpret_cast<void*>(&LongAid);
  entries["acIdentityCreate"] = reinterpret_cast<void*>(&MakeIdentity);
  loader.libraries[kSupplicantLibrary] = entries;
  LibrarySupplicant library(&loader);
  ASSERT_EQ(library.Init(), AC_OK);
  std::string prompt;
  EXPECT_EQ(library.CredGetIdentityPrompt(7, 1, &prompt), AC_OK);
  EXPECT_EQ(prompt, std::string(512, 'x'));  // 513 bytes, the last one the terminator
  std::vector<uint8_t> aid;
  EXPECT_EQ(library.CredGetEapFASTAID(7, 1, 128, &aid), AC_OK);
  EXPECT_EQ(aid, std::vector<uint8_t>(128, 0xA1));
  acObject identity = nullptr;
  EXPECT_EQ(library.CreateIdentity(&identity, "alice"), AC_OK);
  EXPECT_EQ(identity, reinterpret_cast<acObject>(42));
}

}  // namespace
}  // namespace kavo9::dot1x
