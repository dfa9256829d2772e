// kavo9-logon: the logon component's stand-in, run at a simulated Windows logon
// (`kavo9-sim session logon USER`). It plays the single-sign-on side of the logon with the
// machine's registry and says what it did on standard output.
#include <iostream>
#include <string>

#include "common/platform/Paths.h"
#include "common/platform/SecurityToken.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "common/platform/simulated/SystemServicesClient.h"
#include "sim/logon/LogonComponent.h"

namespace {

// The logon runs as the system.
class LogonToken : public kavo9::SecurityToken {
 public:
  std::string UserName() const override { return "SYSTEM"; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    *groups = {"S-1-5-18", kavo9::kAdministratorsSid};
    return true;
  }
};

int Usage(std::ostream& out, int code) {
  out << "usage: kavo9-logon [--machine DIR] [--cancel] USER\n"
         "Plays the single-sign-on logon component at a logon of USER (\"alice\", or\n"
         "\"CORP\\alice\" with its domain; without one, the machine's domain is taken).\n"
         "--cancel: the user cancels the authentication at logon.\n";
  return code;
}

// The machine's domain as its system daemon knows it; empty without a domain or a daemon.
std::string MachineDomain(const std::filesystem::path& machine) {
  nlohmann::json reply;
  if (!kavo9::CallDaemon(machine / "run" / "simd.sock", {{"cmd", "domain"}, {"op", "info"}},
                         &reply)) {
    return {};
  }
  auto name = reply.find("name");
  return name != reply.end() && name->is_string() ? name->get<std::string>() : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  std::string machineFlag;
  kavo9::logon::LogonRequest request;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") return Usage(std::cout, 0);
    if (arg == "--machine" && i + 1 < argc) {
      machineFlag = argv[++i];
    } else if (arg == "--cancel") {
      request.cancel = true;
    } else if (!arg.starts_with("-") && request.user.empty()) {
      request.user = arg;
    } else {
      std::cerr << "kavo9-logon: unexpected argument \"" << arg << "\"\n";
      return Usage(std::cerr, 2);
    }
  }
  if (request.user.empty() || request.user.size() > 256) {
    std::cerr << "kavo9-logon: a user name of 1 to 256 characters is needed\n";
    return Usage(std::cerr, 2);
  }
  const std::filesystem::path machine = kavo9::ResolveMachineDir(machineFlag);
  const kavo9::MachineLayout layout(machine);
  if (!std::filesystem::is_directory(layout.RegistryDir())) {
    std::cerr << "kavo9-logon: " << machine.string()
              << " is not a machine folder (make one with kavo9-sim init)\n";
    return 1;
  }
  request.domain = MachineDomain(machine);
  static const LogonToken token;
  kavo9::SqliteRegistry registry(layout.RegistryDir(), token);
  const kavo9::logon::LogonOutcome outcome = kavo9::logon::RunLogon(registry, request);
  for (const std::string& note : outcome.notes) std::cout << "logon: " << note << "\n";
  return 0;
}
