#include <gtest/gtest.h>

#include "station/shell/mainwindow/tests/FakeRadioHost.h"

namespace kavo9 {
namespace {

using Calls = std::vector<std::string>;

TEST(ToggleRadio, Steps) {
  struct Case {
    const char* name;
    bool radioOn;
    int configToolState;
    bool administrator;
    bool allowAdvance;
    Calls expected;
  } cases[] = {
      {"admin turns off",
       true,
       0,
       true,
       false,
       {"flag off", "auto off", "request 0", "Radio=1", "rebuild", "scan"}},
      {"admin turns on",
       false,
       1,
       true,
       false,
       {"flag on", "auto on", "request 1", "clear marks", "connect 1", "Radio=0", "rebuild",
        "scan"}},
      {"on while the service manages: no connect",
       false,
       2,
       true,
       true,
       {"flag on", "auto on", "request 1", "Radio=0", "rebuild", "scan"}},
      {"standard user, advance allowed",
       true,
       0,
       false,
       true,
       {"flag off", "auto off", "request 0", "Radio=1", "rebuild", "scan"}},
      {"standard user, advance not allowed: request but no write",
       true,
       0,
       false,
       false,
       {"flag off", "auto off", "request 0", "rebuild", "scan"}},
  };
  for (const auto& c : cases) {
    FakeRadioHost host;
    host.radioOn = c.radioOn;
    host.configToolState = c.configToolState;
    host.administrator = c.administrator;
    host.allowAdvance = c.allowAdvance;
    EXPECT_EQ(ToggleRadio(host), !c.radioOn) << c.name;
    EXPECT_EQ(host.calls, c.expected) << c.name;
  }
}

TEST(RadioIcon, OnAndOff) {
  EXPECT_EQ(RadioIcon(true), 272);
  EXPECT_EQ(RadioIcon(false), 273);
}

}  // namespace
}  // namespace kavo9
