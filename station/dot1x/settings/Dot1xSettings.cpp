#include "station/dot1x/settings/Dot1xSettings.h"

#include <algorithm>

namespace kavo9::dot1x {
namespace {

using profiles::ProfileValues;

struct NumberField {
  const char* name;
  int Dot1xSettings::*field;
};

// The numbers stored under their own names ("TunnelProtocol" depends on the method: below).
constexpr NumberField kNumbers[] = {
    {"Use8021X", &Dot1xSettings::Use8021X},
    {"AuthenProtocol", &Dot1xSettings::AuthenProtocol},
    {"ProvisioningTunnel", &Dot1xSettings::ProvisioningTunnel},
    {"SessionResumption", &Dot1xSettings::SessionResumption},
    {"PasswordMode", &Dot1xSettings::PasswordMode},
    {"UseClientCert", &Dot1xSettings::UseClientCert},
    {"UseServerCert", &Dot1xSettings::UseServerCert},
    {"UsePAC", &Dot1xSettings::UsePAC},
    {"ProvisionMode", &Dot1xSettings::ProvisionMode},
    {"NameRule", &Dot1xSettings::NameRule},
    {"IntermediateCert", &Dot1xSettings::IntermediateCert},
};

struct TextField {
  const char* name;
  std::string Dot1xSettings::*field;
};

constexpr TextField kTexts[] = {
    {"ID", &Dot1xSettings::ID},
    {"Password", &Dot1xSettings::Password},
    {"DomainName", &Dot1xSettings::DomainName},
    {"TunnelID", &Dot1xSettings::TunnelID},
    {"TunnelPassword", &Dot1xSettings::TunnelPassword},
    {"PACFilePath", &Dot1xSettings::PACFilePath},
    {"ServerName", &Dot1xSettings::ServerName},
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string CertHashText(const std::vector<uint8_t>& hash) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (uint8_t byte : hash) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text;
}

std::vector<uint8_t> CertHashFromText(long count, std::string_view text) {
  if (count <= 0) return {};
  const std::size_t bytes =
      std::min({static_cast<std::size_t>(count), kMaxCertHash, text.size() / 2});
  std::vector<uint8_t> hash(bytes);
  for (std::size_t i = 0; i < bytes; ++i) {
    const int high = HexDigit(text[2 * i]), low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return {};
    hash[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return hash;
}

Dot1xSettings ReadDot1xSettings(const ProfileValues& values) {
  Dot1xSettings settings;
  for (const auto& [name, field] : kNumbers) {
    settings.*field = static_cast<int>(values.Number(name, settings.*field));
  }
  for (const auto& [name, field] : kTexts) {
    if (const auto& text = values.Get(name)) settings.*field = *text;
  }
  int& tunnel = settings.AuthenProtocol == kTtls ? settings.TtlsInnerMethod : settings.InnerEapType;
  tunnel = static_cast<int>(values.Number("TunnelProtocol", tunnel));
  settings.ServerCertHash =
      CertHashFromText(values.Number("ServerCertLen", 0), values.Text("ServerCertData"));
  settings.ClientCertHash =
      CertHashFromText(values.Number("ClientCertLen", 0), values.Text("ClientCertData"));
  return settings;
}

void WriteDot1xSettings(const Dot1xSettings& settings, ProfileValues* values) {
  for (const auto& [name, field] : kNumbers) values->SetNumber(name, settings.*field);
  for (const auto& [name, field] : kTexts) {
    values->Set(name, settings.*field);
  }
  values->SetNumber("TunnelProtocol", settings.AuthenProtocol == kTtls ? settings.TtlsInnerMethod
                                                                       : settings.InnerEapType);
  auto hash = [](const std::vector<uint8_t>& bytes) {
    return std::vector<uint8_t>(bytes.begin(),
                                bytes.begin() + long(std::min(bytes.size(), kMaxCertHash)));
  };
  const auto server = hash(settings.ServerCertHash), client = hash(settings.ClientCertHash);
  values->SetNumber("ServerCertLen", long(server.size()));
  values->Set("ServerCertData", CertHashText(server));
  values->SetNumber("ClientCertLen", long(client.size()));
  values->Set("ClientCertData", CertHashText(client));
}

}  // namespace kavo9::dot1x
