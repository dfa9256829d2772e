#include "softap/ui/SheetPages.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "softap/shell/HostiraIds.h"

namespace kavo9::softap {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

QWidget* CreatePendingPage(const HostiraStrings& strings, int titleId) {
  auto* page = new QWidget;
  page->setAccessibleName(Q(strings.Text(titleId)));
  auto* layout = new QVBoxLayout(page);
  auto* title = new QLabel(Q(strings.Text(titleId)), page);
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title->setFont(bold);
  title->setAlignment(Qt::AlignCenter);
  auto* note = new QLabel(Q(strings.Text(kStrNotBuiltYet)), page);
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignCenter);
  note->setAccessibleName(Q(strings.Text(kStrNotBuiltYet)));
  layout->addStretch();
  layout->addWidget(title);
  layout->addWidget(note);
  layout->addStretch();
  return page;
}

QWidget* CreateSummaryPage(const HostiraStrings& strings, const std::vector<SummaryRow>& rows) {
  auto* page = new QWidget;
  page->setAccessibleName(Q(strings.Text(kStrConfigTitle)));
  auto* layout = new QVBoxLayout(page);
  auto* form = new QFormLayout;
  for (const SummaryRow& row : rows) {
    auto* value = new QLineEdit(Q(row.value), page);
    value->setReadOnly(true);
    value->setObjectName(QString::number(row.labelId));
    const QString label = Q(strings.Text(row.labelId));
    value->setAccessibleName(label);
    value->setAccessibleDescription(Q(row.value));
    form->addRow(label, value);
  }
  layout->addLayout(form);
  auto* note = new QLabel(Q(strings.Text(kStrSummaryNote)), page);
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addStretch();
  return page;
}

}  // namespace kavo9::softap
