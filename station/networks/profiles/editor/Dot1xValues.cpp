#include "station/networks/profiles/editor/Dot1xTabPort.h"

#include <utility>

namespace kavo9::profileeditor {
namespace {

// The stored 802.1X values of a new profile, in the table's order (texts empty).
constexpr std::pair<const char*, const char*> kDefaults[] = {
    {"AuthenProtocol", "0"},
    {"TunnelProtocol", "26"},
    {"ProvisioningTunnel", "26"},
    {"ID", ""},
    {"Password", ""},
    {"DomainName", ""},
    {"TunnelID", ""},
    {"TunnelPassword", ""},
    {"SessionResumption", "0"},
    {"PasswordMode", "1"},
    {"UseClientCert", "0"},
    {"UseServerCert", "0"},
    {"UsePAC", "0"},
    {"ProvisionMode", "1"},
    {"PACFilePath", ""},
    {"ClientCertLen", "0"},
    {"ClientCertData", ""},
    {"ServerCertLen", "0"},
    {"ServerCertData", ""},
    {"ServerName", ""},
    {"NameRule", "0"},
    {"IntermediateCert", "0"},
};

}  // namespace

void SetDefault8021XValues(profiles::ProfileValues* values) {
  for (const auto& [name, text] : kDefaults) values->Set(name, text);
}

void Copy8021XValues(const profiles::ProfileValues& from, profiles::ProfileValues* to) {
  for (const auto& entry : kDefaults) {
    if (const auto& text = from.Get(entry.first)) to->Set(entry.first, *text);
  }
}

}  // namespace kavo9::profileeditor
