#pragma once
// A radio host that records every call in order.

#include <string>
#include <vector>

#include "station/shell/mainwindow/RadioButton.h"

namespace kavo9 {

class FakeRadioHost : public virtual RadioHost {
 public:
  bool radioOn = true;
  int configToolState = 0;
  bool administrator = true;
  bool allowAdvance = true;
  std::vector<std::string> calls;

  bool RadioOn() const override { return radioOn; }
  void SetRadioOnFlag(bool on) override {
    radioOn = on;
    calls.push_back(on ? "flag on" : "flag off");
  }
  void SetAutoReconnect(bool on) override { calls.push_back(on ? "auto on" : "auto off"); }
  void SendRadioRequest(bool on) override { calls.push_back(on ? "request 1" : "request 0"); }
  int ConfigToolState() const override { return configToolState; }
  void ClearSurveyConnectMarks() override { calls.push_back("clear marks"); }
  void ConnectActiveProfile(int mode) override {
    calls.push_back("connect " + std::to_string(mode));
  }
  bool MaySetAdvanced() const override { return administrator || allowAdvance; }
  void WriteRadioValue(std::string_view value) override {
    calls.push_back("Radio=" + std::string(value));
  }
  void SetSurveyRebuildPending() override { calls.push_back("rebuild"); }
  void RequestScan() override { calls.push_back("scan"); }
};

}  // namespace kavo9
