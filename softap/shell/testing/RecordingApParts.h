#pragma once
// Recording stand-ins for the soft-AP controller's parts: each notes what it was asked.

#include <string>
#include <vector>

#include "softap/shell/ApControllerPorts.h"

namespace kavo9::softap {

class RecordingSheet : public SheetPort {
 public:
  bool open = false;
  int creates = 0;
  int raises = 0;
  int closes = 0;
  int rechecks = 0;
  uint32_t icon = 0;
  bool htPage = false;
  bool IsOpen() const override { return open; }
  void Create() override {
    open = true;
    ++creates;
  }
  void BringToForeground() override { ++raises; }
  void Close() override {
    if (open) ++closes;
    open = false;
  }
  void SetIcon(uint32_t i) override { icon = i; }
  void UpdateHtPage(bool show) override { htPage = show; }
  void RecheckPages() override { ++rechecks; }
};

class RecordingMessages : public ApMessagePort {
 public:
  std::vector<std::string> shown;
  void ShowMessage(std::string_view text, bool) override { shown.emplace_back(text); }
};

class RecordingSharing : public ConnectionSharingPort {
 public:
  bool present = true;
  bool loaded = false;
  int enables = 0;
  int disables = 0;
  void Load() override { loaded = present; }
  bool Available() const override { return loaded; }
  void Enable() override { ++enables; }
  void DisableAndRelease() override {
    if (loaded) ++disables;
    loaded = false;
  }
};

class RecordingEventLog : public ApEventLogPort {
 public:
  int resets = 0;
  int fetches = 0;
  void ResetDisplayCount() override { ++resets; }
  void FetchNew() override { ++fetches; }
};

}  // namespace kavo9::softap
