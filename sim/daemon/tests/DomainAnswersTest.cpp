#include "sim/daemon/DomainAnswers.h"

#include <gtest/gtest.h>

#include "common/platform/simulated/SimulatedDomain.h"
#include "sim/daemon/tests/DaemonTestSupport.h"

namespace kavo9 {
namespace {

using nlohmann::json;

DomainSpec Corp() {
  DomainSpec d;
  d.name = "CORP";
  d.dnsName = "corp.example";
  return d;
}

uint32_t OpenError(const std::optional<DomainSpec>& domain, const std::string& path,
                   const std::vector<std::string>& associated = {}) {
  const json reply = AnswerDomainRequest(domain, associated, {{"op", "open"}, {"path", path}});
  EXPECT_TRUE(reply.value("ok", false)) << path;
  return reply.value("error", 0u);
}

TEST(DomainAnswers, TheControllerIsFoundByEitherNameOfItsDomain) {
  for (const char* name : {"CORP", "corp", "Corp.Example"}) {
    const json reply = AnswerDomainRequest(Corp(), {}, {{"op", "dc"}, {"domain", name}});
    EXPECT_EQ(reply.value("error", 99u), 0u) << name;
    EXPECT_EQ(reply.value("controller", ""), "\\\\DC1") << name;
    EXPECT_EQ(reply.value("domain", ""), "CORP") << name;
  }
  const auto error = [](const std::optional<DomainSpec>& d, const char* name) {
    return AnswerDomainRequest(d, {}, {{"op", "dc"}, {"domain", name}}).value("error", 0u);
  };
  EXPECT_EQ(error(Corp(), "OTHER"), 1355u);
  EXPECT_EQ(error(std::nullopt, "CORP"), 1355u);
  DomainSpec failing = Corp();
  failing.lookupError = 1311;
  EXPECT_EQ(error(failing, "CORP"), 1311u);
}

TEST(DomainAnswers, NetworkOpensAnswerAsTheControllersFileServerDoes) {
  struct Case {
    const char* path;
    uint32_t error;
  };
  const Case cases[] = {
      {"\\\\DC1\\NETLOGON\\NonExist", 2},
      {"\\\\dc1\\netlogon\\NonExist", 2},
      {"\\\\10.0.0.2\\NETLOGON\\x", 2},
      {"\\\\DC1\\NETLOGON", 5},
      {"\\\\DC1\\SYSVOL\\x", 67},
      {"\\\\DC1", 53},
      {"\\\\OTHER\\NETLOGON\\NonExist", 53},
      {"C:\\boot.ini", 53},
      {"\\\\", 53},
      {"", 53},
  };
  for (const auto& c : cases) EXPECT_EQ(OpenError(Corp(), c.path), c.error) << c.path;
  EXPECT_EQ(OpenError(std::nullopt, "\\\\DC1\\NETLOGON\\NonExist"), 53u);
}

TEST(DomainAnswers, AnUnreachableControllerGivesItsProbeError) {
  DomainSpec away = Corp();
  away.reachable = false;
  EXPECT_EQ(OpenError(away, "\\\\DC1\\NETLOGON\\NonExist"), 53u);
  away.probeError = 1311;
  EXPECT_EQ(OpenError(away, "\\\\DC1\\NETLOGON\\NonExist"), 1311u);

  DomainSpec throughWlan = Corp();
  throughWlan.network = "ACME-Corp";
  EXPECT_EQ(OpenError(throughWlan, "\\\\DC1\\NETLOGON\\NonExist"), 53u);
  EXPECT_EQ(OpenError(throughWlan, "\\\\DC1\\NETLOGON\\NonExist", {"Home"}), 53u);
  EXPECT_EQ(OpenError(throughWlan, "\\\\DC1\\NETLOGON\\NonExist", {"Home", "ACME-Corp"}), 2u);
}

TEST(DomainAnswers, MalformedRequestsAreRefused) {
  EXPECT_FALSE(AnswerDomainRequest(Corp(), {}, {{"op", "dc"}, {"domain", 5}}).value("ok", true));
  EXPECT_FALSE(AnswerDomainRequest(Corp(), {}, {{"op", "open"}}).value("ok", true));
  EXPECT_FALSE(AnswerDomainRequest(Corp(), {}, {{"op", "nope"}}).value("ok", true));
  EXPECT_FALSE(AnswerDomainRequest(Corp(), {}, {{"op", 3}}).value("ok", true));
  EXPECT_FALSE(AnswerDomainRequest(Corp(), {}, json::array())["ok"].get<bool>());
  const json info = AnswerDomainRequest(Corp(), {}, {{"op", "info"}});
  EXPECT_EQ(info.value("name", ""), "CORP");
  EXPECT_FALSE(AnswerDomainRequest(std::nullopt, {}, {{"op", "info"}}).contains("name"));
}

TEST(DomainAnswers, TheScenariosDomainBlockIsChecked) {
  const auto parse = [](const char* text, DomainSpec* d, std::string* error) {
    return ParseDomain(json::parse(text), "/domain", d, error);
  };
  DomainSpec d;
  std::string error;
  ASSERT_TRUE(parse(R"({"name":"ACME","network":"ACME-Corp","probeError":1311})", &d, &error))
      << error;
  EXPECT_EQ(d.controller, "DC1");
  EXPECT_EQ(d.probeError, 1311u);
  const std::pair<const char*, const char*> bad[] = {
      {R"({})", "/domain/name: missing"},
      {R"({"name":"A\\B"})", "/domain/name: expected letters"},
      {R"({"name":"A","controller":"x/y"})", "/domain/controller: expected letters"},
      {R"({"name":"A","colour":"red"})", "/domain/colour: unknown member"},
      {R"({"name":"A","probeError":0})", "/domain/probeError: out of range"},
  };
  for (const auto& [text, message] : bad) {
    DomainSpec spec;
    EXPECT_FALSE(parse(text, &spec, &error)) << text;
    EXPECT_EQ(error.rfind(message, 0), 0u) << error;
  }
}

class DemoDomainTest : public test::DaemonTest {
 protected:
  const char* ScenarioName() const override { return "demo.json"; }
};

TEST_F(DemoDomainTest, TheProgramsFindTheDemoControllerThroughTheDaemon) {
  SimulatedDomain domain(machine);
  DomainControllerInfo info;
  ASSERT_EQ(domain.DsGetDcName("acme.example", DS_FORCE_REDISCOVERY | DS_RETURN_FLAT_NAME, &info),
            0u);
  EXPECT_EQ(info.DomainControllerName, "\\\\ACME-DC1");
  EXPECT_EQ(info.DomainName, "ACME");
  EXPECT_EQ(domain.DsGetDcName("OTHER", 0, &info), 1355u);
  // No adapter is on the controller's network yet: it does not answer.
  uint32_t error = 0;
  EXPECT_EQ(domain.OpenNetworkFile("\\\\ACME-DC1\\NETLOGON\\NonExist", &error), Domain::kNoFile);
  EXPECT_EQ(error, 53u);
}

}  // namespace
}  // namespace kavo9
