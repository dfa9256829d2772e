#include "station/dot1x/sso/DomainControllerCheck.h"

#include <cstdio>

#include "common/platform/WinTypes.h"
#include "station/dot1x/sso/SsoRecord.h"

namespace kavo9::sso {
namespace {

constexpr const char* kNotFound = "Domain Controller is not found.";
constexpr const char* kAnswered = "Access remote file is succeed.";
constexpr const char* kNoAnswer = "Failed to access remote file.";

}  // namespace

DomainControllerCheck::DomainControllerCheck(Registry& registry, Domain& domain, EventLoop& loop,
                                             LineFn line, std::function<void()> done)
    : registry_(registry),
      domain_(domain),
      loop_(loop),
      line_(std::move(line)),
      done_(std::move(done)) {}

bool DomainControllerCheck::ControllerAnswered(uint32_t error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_ACCESS_DENIED:
    case ERROR_BAD_NET_NAME:
    case ERROR_NO_LOGON_SERVERS:
    case ERROR_ACCOUNT_DISABLED:
    case ERROR_ACCOUNT_LOCKED_OUT:
      return true;
    default:
      return false;
  }
}

void DomainControllerCheck::Start() {
  if (running_) return;
  running_ = true;
  attempts_ = 0;
  const auto domain = ReadSsoValue(registry_, kWinlogonDomainValue, kMaxDomainLength);
  if (!domain) return Finish(kNotFound);
  line_("Finding Domain Controller - " + *domain);
  DomainControllerInfo info;
  if (domain_.DsGetDcName(*domain, kLookupFlags, &info) != 0) return Finish(kNotFound);
  line_("Domain Controller Name = " + info.DomainControllerName);
  path_ = info.DomainControllerName + "\\NETLOGON\\NonExist";
  Probe();
}

void DomainControllerCheck::Probe() {
  ++attempts_;
  uint32_t error = 0;
  const Domain::FileHandle file = domain_.OpenNetworkFile(path_, &error);
  domain_.CloseFile(file);  // nothing is read: only the answer counts
  char text[400];
  std::snprintf(text, sizeof text, "Create File - %s, returned - %d", path_.c_str(), int(error));
  line_(text);
  // An open that went through is an answer too.
  if (file != Domain::kNoFile || ControllerAnswered(error)) return Finish(kAnswered);
  if (timer_) return;  // the running timer brings the next attempt
  timer_ = loop_.StartTimer(kProbePauseMs, [this] {
    if (attempts_ >= kProbeAttempts) return Finish(kNoAnswer);
    Probe();
  });
}

void DomainControllerCheck::Finish(std::string_view line) {
  Cancel();
  line_(line);
  if (done_) done_();
}

void DomainControllerCheck::Cancel() {
  if (timer_) loop_.StopTimer(timer_);
  timer_ = 0;
  running_ = false;
}

}  // namespace kavo9::sso
