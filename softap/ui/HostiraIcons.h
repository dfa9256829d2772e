#pragma once
// Hostira's own icons by resource number (softap/ui/icons).

#include <QIcon>

namespace kavo9::softap {

QIcon HostiraIcon(int resource);

}  // namespace kavo9::softap
