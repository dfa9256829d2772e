#include "apps/Stavio/wiring/StationWpsHost.h"

namespace kavo9 {

void StationWpsHost::ShowMessage(const std::string& text) {
  if (!p_.messageBox) return;
  const bool key = text.rfind("IDS_", 0) == 0;
  p_.messageBox(key ? p_.language.Text(text) : text, p_.language.Text("IDS_OK"));
}

}  // namespace kavo9
