#pragma once
// Small fakes of what the profile editor reads and the 802.1X tab it drives.

#include <optional>
#include <string>
#include <vector>

#include "station/networks/profiles/editor/Dot1xTabPort.h"
#include "station/networks/profiles/editor/ProfileEditor.h"

namespace kavo9::profileeditor {

struct FakeDot1x : Dot1xTabPort {
  bool md5 = false;
  std::optional<Dot1xRefusal> problem;
  std::vector<std::string> calls;
  void Reset8021XPage() override { calls.push_back("reset"); }
  void Load8021XPage(const profiles::ProfileValues&) override { calls.push_back("load"); }
  std::optional<Dot1xRefusal> Validate8021XPage() override { return problem; }
  void Take8021XChoices(profiles::ProfileValues* values) override {
    calls.push_back("take");
    values->Set("ID", "alice");
  }
  void ApplyMethodChoice() override {}
  bool MethodIsMd5() const override { return md5; }
  void ResetMd5ToPeap() override {
    md5 = false;
    calls.push_back("peap");
  }
};

struct FakeEditorStation : EditorStationPort {
  std::vector<std::string> ssids = {"home-net", "", "corp", "home-net"};
  int powerSave = 0;
  int adhocCode = 0;
  bool supplicant = true;
  int windowsVersion = 8;
  std::vector<int> SurveySsids_() { return {}; }
  std::vector<std::string> SurveySsids() override { return ssids; }
  int AdapterPowerSave() override { return powerSave; }
  int QueryAdhocCode() override { return adhocCode; }
  std::vector<int> AdhocChannels(int) override { return {1, 6, 11, 34, 36, 38, 40}; }
  bool SupplicantAvailable() const override { return supplicant; }
  int WindowsVersionCode() const override { return windowsVersion; }
};

}  // namespace kavo9::profileeditor
