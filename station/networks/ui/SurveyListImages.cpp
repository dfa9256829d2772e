#include "station/networks/ui/SurveyListImages.h"

#include "station/shell/ui/Theme.h"

namespace kavo9 {

QIcon SurveyListImage(int index) {
  if (index < 0 || index > 9) return {};
  return ListImage(index);
}

}  // namespace kavo9
