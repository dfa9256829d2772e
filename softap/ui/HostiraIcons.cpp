#include "softap/ui/HostiraIcons.h"

#include <QString>

static void InitHostiraIcons() {
  static const bool done = [] {
    Q_INIT_RESOURCE(hostira_icons);
    return true;
  }();
  (void)done;
}

namespace kavo9::softap {

QIcon HostiraIcon(int resource) {
  InitHostiraIcons();
  return QIcon(QStringLiteral(":/hostira/%1.svg").arg(resource));
}

}  // namespace kavo9::softap
