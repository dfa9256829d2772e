#include "station/dot1x/sso/DomainControllerCheck.h"

#include "station/dot1x/sso/tests/SsoFixture.h"

namespace kavo9::sso {
namespace {

using testing::SsoFixture;
using Lines = std::vector<std::string>;

class DomainControllerCheckTest : public SsoFixture {
 protected:
  DomainControllerCheckTest()
      : check(
            *fake.registry, fake.domain, fake.loop,
            [this](std::string_view line) { lines.emplace_back(line); }, [this] { ++done; }) {}

  static std::string Attempt(int error) {
    return "Create File - \\\\DC1\\NETLOGON\\NonExist, returned - " + std::to_string(error);
  }
  Lines Head() const {
    return {"Finding Domain Controller - CORP", "Domain Controller Name = \\\\DC1"};
  }

  Lines lines;
  int done = 0;
  DomainControllerCheck check;
};

TEST_F(DomainControllerCheckTest, AnyAnswerOfTheControllerEndsTheProbeAtOnce) {
  PutSso(kWinlogonDomainValue, "CORP");
  for (uint32_t error : {2u, 5u, 67u, 1311u, 1331u, 1909u}) {
    lines.clear();
    fake.domain.openErrors = {error};
    check.Start();
    Lines expected = Head();
    expected.push_back(Attempt(int(error)));
    expected.push_back("Access remote file is succeed.");
    EXPECT_EQ(lines, expected) << error;
    EXPECT_FALSE(check.Running());
  }
  EXPECT_EQ(done, 6);
  EXPECT_EQ(fake.domain.calls.front(), "dc CORP 2147483649");  // rediscovery, flat name
}

TEST_F(DomainControllerCheckTest, NoAnswerSevenTimesFailsAfterThreeAndAHalfSeconds) {
  PutSso(kWinlogonDomainValue, "CORP");
  fake.domain.openErrors = {ERROR_BAD_NETPATH};
  check.Start();
  fake.loop.Advance(3499);
  EXPECT_EQ(lines.size(), 2u + 7u);
  EXPECT_EQ(done, 0);
  fake.loop.Advance(1);
  Lines expected = Head();
  for (int i = 0; i < 7; ++i) expected.push_back(Attempt(53));
  expected.push_back("Failed to access remote file.");
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(fake.loop.ActiveTimerCount(), 0u);
}

TEST_F(DomainControllerCheckTest, AControllerThatAnswersLateIsStillFound) {
  PutSso(kWinlogonDomainValue, "CORP");
  fake.domain.openErrors = {53, 53, 1311};
  check.Start();
  fake.loop.Advance(1000);
  EXPECT_EQ(lines.back(), "Access remote file is succeed.");
  EXPECT_EQ(lines.size(), 2u + 3u + 1u);
  fake.loop.Advance(5000);
  EXPECT_EQ(done, 1);
}

TEST_F(DomainControllerCheckTest, EveryHandleTheProbeGetsIsClosed) {
  PutSso(kWinlogonDomainValue, "CORP");
  fake.domain.handleWithError = true;
  fake.domain.openErrors = {2};
  check.Start();
  fake.domain.handleWithError = false;
  fake.domain.openErrors = {0};  // the file opened: the controller answered as well
  check.Start();
  EXPECT_EQ(fake.domain.opened, 2);
  EXPECT_EQ(fake.domain.closed, 2);
  EXPECT_EQ(lines.back(), "Access remote file is succeed.");
  EXPECT_EQ(lines[lines.size() - 2], Attempt(0));
}

TEST_F(DomainControllerCheckTest, WithoutADomainOrAControllerOnlyTheNotFoundLine) {
  check.Start();  // no key
  EXPECT_EQ(lines, (Lines{"Domain Controller is not found."}));
  PutSso(kEnableValue, "1");  // the key without the value
  lines.clear();
  check.Start();
  EXPECT_EQ(lines, (Lines{"Domain Controller is not found."}));

  PutSso(kWinlogonDomainValue, "CORP");
  fake.domain.lookupError = ERROR_NO_SUCH_DOMAIN;
  lines.clear();
  check.Start();
  EXPECT_EQ(lines, (Lines{"Finding Domain Controller - CORP", "Domain Controller is not found."}));
  EXPECT_EQ(done, 3);
  EXPECT_EQ(fake.domain.opened, 0);
}

TEST_F(DomainControllerCheckTest, ASecondStartWhileRunningIsIgnoredAndCancelStopsQuietly) {
  PutSso(kWinlogonDomainValue, "CORP");
  fake.domain.openErrors = {53};
  check.Start();
  check.Start();
  EXPECT_EQ(lines.size(), 3u);
  check.Cancel();
  fake.loop.Advance(10000);
  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(done, 0);
}

}  // namespace
}  // namespace kavo9::sso
