#include "station/networks/ui/SurveyListImages.h"

#include "common/ui/Theme.h"

namespace kavo9 {

QIcon SurveyListImage(int index) {
  if (index < 0 || index > 9) return {};
  return ListImage(index);
}

}  // namespace kavo9
