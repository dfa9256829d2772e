#pragma once
// The process's security token: who the user is and which groups they belong to.

#include <string>
#include <vector>

namespace kavo9 {

inline constexpr const char* kAdministratorsSid = "S-1-5-32-544";

class SecurityToken {
 public:
  virtual ~SecurityToken() = default;
  virtual std::string UserName() const = 0;
  // The group identifiers of the token as SID texts ("S-1-5-32-544" ...). False when the token
  // cannot be read; `groups` is then untouched.
  virtual bool GetGroupSids(std::vector<std::string>* groups) const = 0;
  // True when any group is the built-in Administrators group.
  bool IsAdministrator() const;
};

}  // namespace kavo9
