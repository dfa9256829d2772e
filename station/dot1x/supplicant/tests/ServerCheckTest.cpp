#include <gtest/gtest.h>

#include "station/dot1x/supplicant/ServerCheck.h"
#include "station/dot1x/supplicant/testing/ScriptedSupplicant.h"

namespace kavo9::dot1x {
namespace {

TEST(ServerCheck, TheNameIsLookedForWhereItWasStored) {
  const struct {
    const char* name;
    std::map<int, std::string> fields;
    ServerCheckConfig config;
    bool trusted;
  } cases[] = {
      {"no checks", {}, {}, true},
      {"common name, stored for it",
       {{AC_FIELD_COMMON_NAME, "radius.corp.example"}},
       {.serverNameForCn = "radius.corp.example"},
       true},
      {"common name only, stored for the domain check",
       {{AC_FIELD_COMMON_NAME, "radius.corp.example"}},
       {.serverNameForDomain = "radius.corp.example", .nameRule = 1},
       false},
      {"DNS name ends in the domain",
       {{AC_FIELD_DNS_NAME, "radius.corp.example"}},
       {.serverNameForDomain = "corp.example", .nameRule = 1},
       true},
      {"domain name field",
       {{AC_FIELD_DOMAIN_NAME, "corp.example"}},
       {.serverNameForDomain = "corp.example", .nameRule = 1},
       true},
      {"label boundary",
       {{AC_FIELD_DNS_NAME, "radius.evilcorp.example"}},
       {.serverNameForDomain = "corp.example", .nameRule = 1},
       false},
      {"other common name",
       {{AC_FIELD_COMMON_NAME, "radius.other.example"}},
       {.serverNameForCn = "radius.corp.example"},
       false},
  };
  for (const auto& c : cases) {
    ScriptedSupplicant library;
    library.certFields = c.fields;
    EXPECT_EQ(CheckServer(library, 7, 1, c.config), c.trusted) << c.name;
    EXPECT_EQ(library.Answers(),
              (std::vector<std::string>{std::string("verified 1 ") + (c.trusted ? "1" : "0"),
                                        "complete 1"}))
        << c.name;
  }
}

TEST(ServerCheck, ChecksRunInOrderAndTheFirstFailureEndsThem) {
  ScriptedSupplicant library;
  library.certFields = {{AC_FIELD_COMMON_NAME, "radius"}, {AC_FIELD_DOMAIN_NAME, "corp"}};
  acObject ca = reinterpret_cast<acObject>(3001);
  const ServerCheckConfig all{.verifyChain = 1,
                              .caCert = ca,
                              .serverNameForDomain = "elsewhere",
                              .serverNameForCn = "radius",
                              .nameRule = 1};
  EXPECT_FALSE(CheckServer(library, 7, 1, all));
  // Every domain field is tried before the name fails, and the fields are read.
  EXPECT_EQ(library.calls,
            (std::vector<std::string>{"VerifyChain", "VerifyCA", "VerifyDomain 2001 1",
                                      "VerifyDomain 1001 1", "VerifyDomain 1002 1", "GetField",
                                      "GetField"}));
  ScriptedSupplicant refusing;
  refusing.caOk = false;
  EXPECT_FALSE(CheckServer(refusing, 7, 1, all));
  EXPECT_EQ(refusing.calls, (std::vector<std::string>{"VerifyChain", "VerifyCA"}));
  ScriptedSupplicant passing;
  passing.certFields = {{AC_FIELD_COMMON_NAME, "radius"}};
  EXPECT_TRUE(CheckServer(passing, 7, 1, {.serverNameForCn = "radius"}));
  EXPECT_EQ(passing.calls, std::vector<std::string>{"VerifyField 1000 0"});
}

}  // namespace
}  // namespace kavo9::dot1x
