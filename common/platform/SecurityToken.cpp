#include "common/platform/SecurityToken.h"

#include <algorithm>

namespace kavo9 {

bool SecurityToken::IsAdministrator() const {
  std::vector<std::string> groups;
  if (!GetGroupSids(&groups)) return false;
  return std::find(groups.begin(), groups.end(), kAdministratorsSid) != groups.end();
}

}  // namespace kavo9
