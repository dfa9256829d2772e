#pragma once
// The 802.1X tab of the editors (the profile editor's third tab, the security editor's second):
// what the editors ask of it. Its values travel in their stored form, the 802.1X values of a
// profile (the names after "Use8021X" in the profile's value table).

#include <optional>
#include <string>

#include "station/networks/profiles/ProfileValues.h"
#include "station/shell/LangKeys.h"

namespace kavo9::profileeditor {

// Why the tab refuses its values: a language text, or a text of the tab's own.
struct Dot1xRefusal {
  std::optional<LangKey> key;
  std::string text;
  bool operator==(const Dot1xRefusal&) const = default;
};

class Dot1xTabPort {
 public:
  virtual ~Dot1xTabPort() = default;
  // The tab's defaults, for a new profile.
  virtual void Reset8021XPage() = 0;
  // The tab filled from a stored profile's 802.1X values.
  virtual void Load8021XPage(const profiles::ProfileValues& values) = 0;
  // The first rule the tab's values break, or nullopt when they pass.
  virtual std::optional<Dot1xRefusal> Validate8021XPage() = 0;
  // The tab's choices written into `values` (its 802.1X values only).
  virtual void Take8021XChoices(profiles::ProfileValues* values) = 0;
  // The security tab's choices changed: the tab applies its method choice again.
  virtual void ApplyMethodChoice() = 0;
  // Whether the chosen method is MD5-Challenge, and putting it back to PEAP (WPA and WPA2 do not
  // carry MD5-Challenge).
  virtual bool MethodIsMd5() const = 0;
  virtual void ResetMd5ToPeap() = 0;
};

// The stored 802.1X values of a new profile (no 802.1X, PEAP with EAP-MSCHAP v2, no
// certificates, static passwords, unauthenticated PAC provisioning allowed).
void SetDefault8021XValues(profiles::ProfileValues* values);
// Copies the 802.1X values (and only those) from `from` into `to`.
void Copy8021XValues(const profiles::ProfileValues& from, profiles::ProfileValues* to);

}  // namespace kavo9::profileeditor
