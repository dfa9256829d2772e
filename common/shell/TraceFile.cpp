#include "common/shell/TraceFile.h"

#include <cstdio>

namespace kavo9 {

void TraceFile::Append(std::string_view text) const {
  if (!enabled_ || file_.empty()) return;
  std::FILE* file = std::fopen(file_.c_str(), "a+");
  if (!file) return;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

}  // namespace kavo9
